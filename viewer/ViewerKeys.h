// ViewerKeys: the keys the text view turns into scroll messages.
//
//   Page Up     -> vertical scroll, page up
//   Page Down   -> vertical scroll, page down
//   Left arrow  -> horizontal scroll, line left
//   Up arrow    -> vertical scroll, line up
//   Right arrow -> horizontal scroll, line right
//   Down arrow  -> vertical scroll, line down
//
// Every other key (Home, End, Escape, Tab, ...) scrolls nothing. The values
// are the platform's virtual-key codes, message numbers and scroll codes;
// the names differ from the platform's macros so this header can sit next to
// the platform headers.

#ifndef VIEWER_VIEWERKEYS_H
#define VIEWER_VIEWERKEYS_H

#include <cstdint>

// Virtual-key codes of the scrolling keys.
struct ViewerKey {
    enum : unsigned {
        PageUp = 0x21,     // VK_PRIOR
        PageDown = 0x22,   // VK_NEXT
        Left = 0x25,       // VK_LEFT
        Up = 0x26,         // VK_UP
        Right = 0x27,      // VK_RIGHT
        Down = 0x28        // VK_DOWN
    };
};

// Scroll messages.
struct ScrollMessage {
    enum : unsigned {
        Horizontal = 0x0114,  // WM_HSCROLL
        Vertical = 0x0115     // WM_VSCROLL
    };
};

struct KeyScroll {
    bool scrolls = false;   // false: the key does nothing
    unsigned message = 0;   // ScrollMessage::Horizontal or ::Vertical
    int code = 0;           // a ScrollCode value
};

// What the view does for a key-down of virtualKey.
KeyScroll LookUpViewerKey(unsigned virtualKey);

#endif  // VIEWER_VIEWERKEYS_H
