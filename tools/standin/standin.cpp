// standin.exe: a scriptable stand-in for an external command-line
// decompressor. It records how it was started in a report file, then follows
// a small script that writes lines to standard output, creates files, waits
// and exits with a chosen code. See README.md beside this file.
//
// Build: i686-w64-mingw32-g++ -std=c++17 -Os -s -static -o standin.exe standin.cpp

#include <windows.h>

#include <stdlib.h>
#include <string.h>

namespace {

const int kBadScript = 99;

HANDLE g_out = NULL;
HANDLE g_err = NULL;
DWORD g_pace = 0;

bool usable(HANDLE h) { return h != NULL && h != INVALID_HANDLE_VALUE; }

void writeRaw(HANDLE h, const char* data, size_t len) {
    if (!usable(h)) return;
    while (len > 0) {
        DWORD done = 0;
        if (!WriteFile(h, data, (DWORD)len, &done, NULL) || done == 0) return;
        data += done;
        len -= done;
    }
}

void writeLine(const char* text, size_t len) {
    writeRaw(g_out, text, len);
    writeRaw(g_out, "\r\n", 2);
    if (g_pace) Sleep(g_pace);
}

// Growable text buffer. It has no destructor on purpose: a type with one
// makes the compiler pull the C++ exception runtime (about 100 KB) into this
// otherwise plain program. Buffers made over and over call release(); the
// rest live until the process ends.
struct Buf {
    char* p = nullptr;
    size_t len = 0, cap = 0;
    void add(const char* s, size_t n) {
        if (len + n + 1 > cap) {
            size_t c = cap ? cap * 2 : 1024;
            while (c < len + n + 1) c *= 2;
            char* q = (char*)realloc(p, c);
            if (!q) return;
            p = q;
            cap = c;
        }
        memcpy(p + len, s, n);
        len += n;
        p[len] = 0;
    }
    void add(const char* s) { add(s, strlen(s)); }
    void num(unsigned long v, unsigned base = 10) {
        char tmp[16];
        int i = sizeof tmp;
        do {
            tmp[--i] = "0123456789ABCDEF"[v % base];
            v /= base;
        } while (v);
        add(tmp + i, sizeof tmp - i);
    }
    void clear() {
        len = 0;
        if (p) p[0] = 0;
    }
    const char* str() { return p ? p : ""; }
    void release() {
        free(p);
        p = nullptr;
        len = cap = 0;
    }
    void kv(const char* key, const char* value) {
        add(key);
        add("=");
        add(value);
        add("\r\n");
    }
};

Buf g_scriptDir;  // folder of the script, for relative replay paths

// Reads a whole file into a zero-terminated malloc'd buffer.
char* readWholeFile(const char* path, size_t* size) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (!usable(h)) return nullptr;
    DWORD n = GetFileSize(h, NULL);
    if (n == INVALID_FILE_SIZE) {
        CloseHandle(h);
        return nullptr;
    }
    char* data = (char*)malloc(n + 1);
    DWORD got = 0;
    if (!data || !ReadFile(h, data, n, &got, NULL)) {
        free(data);
        CloseHandle(h);
        return nullptr;
    }
    CloseHandle(h);
    data[got] = 0;
    *size = got;
    return data;
}

const char* handleKind(HANDLE h) {
    if (!usable(h)) return "none";
    switch (GetFileType(h)) {
        case FILE_TYPE_DISK: return "file";
        case FILE_TYPE_CHAR: return "console";
        case FILE_TYPE_PIPE: return "pipe";
        default: return "unknown";
    }
}

// Splits a command line the way the Microsoft C runtime does: the program
// name ends at the first blank outside quotes; in the arguments, 2n
// backslashes before a quote give n backslashes and a quote toggles quoting,
// 2n+1 give n backslashes and a literal quote. No wildcard expansion. On a
// double-byte code page a lead byte and the byte after it are one character,
// copied whole: a trail byte 0x5C is no backslash.
void reportArgs(Buf& r, const char* cmd) {
    Buf arg;
    int argc = 0;
    const char* p = cmd;
    bool quoted = false;
    // program name
    while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
        if (*p == '"')
            quoted = !quoted;
        else
            arg.add(p, 1);
        ++p;
    }
    r.add("arg");
    r.num(argc++);
    r.kv("", arg.str());
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        arg.clear();
        quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (IsDBCSLeadByte((BYTE)*p) && p[1]) {
                arg.add(p, 2);
                p += 2;
                continue;
            }
            if (*p == '\\') {
                size_t n = 0;
                while (p[n] == '\\') ++n;
                if (p[n] == '"') {
                    for (size_t i = 0; i < n / 2; ++i) arg.add("\\", 1);
                    if (n % 2) {
                        arg.add("\"", 1);
                        p += n + 1;
                    } else {
                        p += n;  // the quote is handled below
                    }
                } else {
                    for (size_t i = 0; i < n; ++i) arg.add("\\", 1);
                    p += n;
                }
                continue;
            }
            if (*p == '"') {
                if (quoted && p[1] == '"') {  // "" inside quotes: a literal quote
                    arg.add("\"", 1);
                    p += 2;
                    continue;
                }
                quoted = !quoted;
                ++p;
                continue;
            }
            arg.add(p, 1);
            ++p;
        }
        r.add("arg");
        r.num(argc++);
        r.kv("", arg.str());
    }
    r.add("argc=");
    r.num(argc);
    r.add("\r\n");
}

// Writes the whole file under a temporary name and renames it, so a reader
// never sees half a report.
void writeFileAtomically(const char* path, const char* data, size_t len) {
    Buf tmp;
    tmp.add(path);
    tmp.add(".tmp");
    HANDLE h = CreateFileA(tmp.str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (!usable(h)) return;
    DWORD done = 0;
    WriteFile(h, data, (DWORD)len, &done, NULL);
    CloseHandle(h);
    if (!MoveFileExA(tmp.str(), path, MOVEFILE_REPLACE_EXISTING)) DeleteFileA(tmp.str());
    tmp.release();
}

void writeReport(const char* path, const char* exe, const char* script, bool scriptFound) {
    Buf r;
    const char* cmd = GetCommandLineA();
    r.kv("cmdline", cmd);
    char cwd[MAX_PATH * 2] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    r.kv("cwd", cwd);
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    r.kv("stdin", usable(in) ? "present" : "none");
    r.kv("stdout", handleKind(g_out));
    r.kv("stderr", handleKind(g_err));
    STARTUPINFOA si;
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    r.add("startflags=0x");
    r.num(si.dwFlags, 16);
    r.add("\r\nshowwindow=");
    r.num(si.wShowWindow);
    r.add("\r\n");
    reportArgs(r, cmd);
    r.kv("exe", exe);
    r.kv("script", script);
    r.kv("scriptfound", scriptFound ? "yes" : "no");
    r.add("pid=");
    r.num(GetCurrentProcessId());
    r.add("\r\nversion=0x");
    r.num(GetVersion(), 16);
    r.add("\r\n");
    writeFileAtomically(path, r.p, r.len);
}

const char* lastSeparator(const char* path) {
    const char* a = strrchr(path, '\\');
    const char* b = strrchr(path, '/');
    return a > b ? a : b;
}

// The program's own path with its extension replaced (or one appended).
void besideProgram(const char* exe, const char* ext, Buf& out) {
    const char* name = lastSeparator(exe);
    name = name ? name + 1 : exe;
    const char* dot = strrchr(name, '.');
    out.clear();
    out.add(exe, dot ? (size_t)(dot - exe) : strlen(exe));
    out.add(ext);
}

// Value of an environment variable, or false if it is unset or empty.
bool getEnv(const char* name, Buf& out) {
    DWORD n = GetEnvironmentVariableA(name, NULL, 0);
    if (n <= 1) return false;
    char* tmp = (char*)malloc(n);
    if (!tmp) return false;
    DWORD got = GetEnvironmentVariableA(name, tmp, n);
    out.clear();
    if (got > 0 && got < n) out.add(tmp, got);
    free(tmp);
    return out.len > 0;
}

bool isAbsolute(const char* p) {
    return p[0] == '\\' || p[0] == '/' || (p[0] && p[1] == ':');
}

void makeParents(const char* path) {
    Buf buf;
    buf.add(path);
    for (char* p = buf.p; p && *p; ++p) {
        if ((*p == '\\' || *p == '/') && p != buf.p && p[-1] != ':') {
            char c = *p;
            *p = 0;
            CreateDirectoryA(buf.p, NULL);
            *p = c;
        }
    }
    buf.release();
}

bool parseNumber(const char* s, unsigned long* out) {
    while (*s == ' ' || *s == '\t') ++s;
    if (*s < '0' || *s > '9') return false;
    unsigned long long v = 0;
    while (*s >= '0' && *s <= '9') {
        v = v * 10 + (unsigned)(*s++ - '0');
        if (v > 0xFFFFFFFFull) return false;
    }
    while (*s == ' ' || *s == '\t') ++s;
    if (*s) return false;
    *out = (unsigned long)v;
    return true;
}

// Splits "<path> [<number>]": a trailing number after a blank is the number,
// everything before it the path (which may hold blanks).
bool splitPathNumber(char* arg, bool* hasNumber, unsigned long* number) {
    size_t n = strlen(arg);
    while (n && (arg[n - 1] == ' ' || arg[n - 1] == '\t')) arg[--n] = 0;
    *hasNumber = false;
    char* lastBlank = nullptr;
    for (char* p = arg; *p; ++p)
        if (*p == ' ' || *p == '\t') lastBlank = p;
    if (lastBlank && parseNumber(lastBlank + 1, number)) {
        *hasNumber = true;
        char* e = lastBlank;
        while (e > arg && (e[-1] == ' ' || e[-1] == '\t')) --e;
        *e = 0;
    }
    return arg[0] != 0;
}

[[noreturn]] void fail(int lineNo, const char* what, const char* line) {
    Buf msg;
    msg.add("standin: ");
    msg.add(what);
    msg.add(": ");
    msg.add(line);
    msg.add(" (script line ");
    msg.num(lineNo);
    msg.add(")\r\n");
    writeRaw(g_err, msg.str(), msg.len);
    ExitProcess(kBadScript);
}

bool createPatternFile(const char* path, unsigned long size) {
    makeParents(path);
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (!usable(h)) return false;
    static unsigned char chunk[65536];
    unsigned long pos = 0;
    bool ok = true;
    while (pos < size && ok) {
        DWORD n = size - pos < sizeof chunk ? size - pos : (DWORD)sizeof chunk;
        for (DWORD i = 0; i < n; ++i) chunk[i] = (unsigned char)((pos + i) % 251);
        DWORD done = 0;
        ok = WriteFile(h, chunk, n, &done, NULL) && done == n;
        pos += n;
    }
    CloseHandle(h);
    return ok;
}

void replay(int lineNo, const char* arg, const char* line) {
    Buf path;
    if (!isAbsolute(arg) && g_scriptDir.len) {
        path.add(g_scriptDir.str());
        path.add("\\");
    }
    path.add(arg);
    size_t size = 0;
    char* data = readWholeFile(path.str(), &size);
    path.release();
    if (!data) fail(lineNo, "cannot read replay file", line);
    size_t start = 0;
    while (start < size) {
        size_t end = start;
        while (end < size && data[end] != '\n') ++end;
        size_t len = end - start;
        if (len && data[start + len - 1] == '\r') --len;
        writeLine(data + start, len);
        start = end + 1;
    }
    free(data);
}

void runLine(int lineNo, char* text) {
    // Parsing cuts the text up in place; messages quote it as written.
    static Buf original;
    original.clear();
    original.add(text);
    const char* line = original.str();
    // command word, then one blank or tab, then the argument verbatim
    char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    char* cmd = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    size_t cmdLen = (size_t)(p - cmd);
    char* arg = p;
    if (*arg) ++arg;
    auto is = [&](const char* w) { return cmdLen == strlen(w) && strncmp(cmd, w, cmdLen) == 0; };
    unsigned long num = 0;

    if (is("line")) {
        writeLine(arg, strlen(arg));
    } else if (is("text")) {
        writeRaw(g_out, arg, strlen(arg));
    } else if (is("crlf")) {
        writeRaw(g_out, "\r\n", 2);
    } else if (is("sleep")) {
        if (!parseNumber(arg, &num)) fail(lineNo, "bad number", line);
        Sleep(num);
    } else if (is("pace")) {
        if (!parseNumber(arg, &num)) fail(lineNo, "bad number", line);
        g_pace = num;
    } else if (is("replay")) {
        if (!*arg) fail(lineNo, "missing path", line);
        replay(lineNo, arg, line);
    } else if (is("file")) {
        bool hasSize = false;
        if (!splitPathNumber(arg, &hasSize, &num)) fail(lineNo, "missing path", line);
        if (!createPatternFile(arg, hasSize ? num : 16)) fail(lineNo, "cannot create file", line);
    } else if (is("waitfor")) {
        bool hasTimeout = false;
        if (!splitPathNumber(arg, &hasTimeout, &num)) fail(lineNo, "missing path", line);
        DWORD startTick = GetTickCount();
        while (GetFileAttributesA(arg) == INVALID_FILE_ATTRIBUTES) {
            if (hasTimeout && GetTickCount() - startTick >= num) break;
            Sleep(20);
        }
    } else if (is("touch")) {
        size_t n = strlen(arg);
        while (n && (arg[n - 1] == ' ' || arg[n - 1] == '\t')) arg[--n] = 0;
        if (!*arg) fail(lineNo, "missing path", line);
        makeParents(arg);
        HANDLE h = CreateFileA(arg, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (!usable(h)) fail(lineNo, "cannot create file", line);
        CloseHandle(h);
    } else if (is("load")) {
        if (!*arg) fail(lineNo, "missing path", line);
        if (!LoadLibraryA(arg)) fail(lineNo, "cannot load", line);
    } else if (is("exit")) {
        if (!parseNumber(arg, &num)) fail(lineNo, "bad number", line);
        ExitProcess((UINT)num);
    } else {
        fail(lineNo, "unknown command", line);
    }
}

}  // namespace

int main() {
    g_out = GetStdHandle(STD_OUTPUT_HANDLE);
    g_err = GetStdHandle(STD_ERROR_HANDLE);

    char exe[MAX_PATH * 2] = "";
    GetModuleFileNameA(NULL, exe, sizeof exe);

    Buf script, report;
    if (!getEnv("STANDIN_SCRIPT", script)) besideProgram(exe, ".script", script);
    if (!getEnv("STANDIN_REPORT", report)) besideProgram(exe, ".report", report);

    size_t size = 0;
    char* text = readWholeFile(script.str(), &size);
    writeReport(report.str(), exe, script.str(), text != nullptr);
    if (!text) return 0;

    const char* sep = lastSeparator(script.str());
    if (sep) g_scriptDir.add(script.str(), (size_t)(sep - script.str()));

    int lineNo = 0;
    char* p = text;
    char* end = text + size;
    while (p < end) {
        char* e = p;
        while (e < end && *e != '\n') ++e;
        *e = 0;
        if (e > p && e[-1] == '\r') e[-1] = 0;
        ++lineNo;
        char* q = p;
        while (*q == ' ' || *q == '\t') ++q;
        if (*q && *q != '#') runLine(lineNo, p);
        p = e + 1;
    }
    free(text);
    return 0;
}
