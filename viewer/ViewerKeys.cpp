// ViewerKeys: key table of the text view.

#include "viewer/ViewerKeys.h"

#include "framework/ScrollModel.h"

namespace {

struct KeyEntry {
    unsigned key;
    unsigned message;
    int code;
};

const KeyEntry kKeys[] = {
    {ViewerKey::PageUp, ScrollMessage::Vertical, ScrollCode::PageUp},
    {ViewerKey::PageDown, ScrollMessage::Vertical, ScrollCode::PageDown},
    {ViewerKey::Left, ScrollMessage::Horizontal, ScrollCode::LineLeft},
    {ViewerKey::Up, ScrollMessage::Vertical, ScrollCode::LineUp},
    {ViewerKey::Right, ScrollMessage::Horizontal, ScrollCode::LineRight},
    {ViewerKey::Down, ScrollMessage::Vertical, ScrollCode::LineDown},
};

}  // namespace

KeyScroll LookUpViewerKey(unsigned virtualKey) {
    KeyScroll result;
    for (const KeyEntry& entry : kKeys) {
        if (entry.key == virtualKey) {
            result.scrolls = true;
            result.message = entry.message;
            result.code = entry.code;
            break;
        }
    }
    return result;
}
