// The registry steps of the about dialog against a real Windows registry:
// built with MinGW from the program's own lookup and advapi32 adapter, run
// under Wine against values that wine_registry_test.sh wrote with reg.exe.
// Prints each case and ends with status 1 if any fails.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/runtime/registry.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/system_information.h"

namespace {

const std::string Key = "SOFTWARE\\Teskora\\Test";
int failures = 0;

// The real registry, watched: every key it opens must refuse a write, as a
// key opened for reading only does, and must be closed again.
class WatchedRegistry final : public platform::Registry {
public:
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t options, std::uint32_t access,
                 Key& key) override
    {
        const long status = platform::nativeRegistry().openKey(root, path, options, access, key);
        if (status == platform::registry::Success) {
            ++open;
            const BYTE probe = 0;
            if (RegSetValueExA(reinterpret_cast<HKEY>(key), "probe", 0, REG_BINARY, &probe, 1) != ERROR_ACCESS_DENIED)
                writable = true;
        }
        return status;
    }
    long queryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                    std::uint32_t& size) override
    {
        return platform::nativeRegistry().queryValue(key, name, type, buffer, size);
    }
    long closeKey(Key key) override
    {
        --open;
        return platform::nativeRegistry().closeKey(key);
    }

    int open = 0;
    bool writable = false;
};

void expect(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what.c_str());
    failures += ok ? 0 : 1;
}

void read(const char* name, bool read, const std::string& value)
{
    WatchedRegistry registry;
    std::string text = "kept";
    const bool wasRead = platform::readKeyValue(registry, platform::registry::LocalMachine, Key, name, text);
    expect(wasRead == read && text == value && registry.open == 0 && !registry.writable,
           std::string(name) + (wasRead ? " read as \"" + text.substr(0, 40) + "\"" : " not read")
               + (registry.writable ? ", its key open for writing" : ""));
}

bool fileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The system-information tool found through the two entries as the script
// set them for this case: the path expected, or "" for none.
void tool(const std::string& expected)
{
    WatchedRegistry registry;
    const auto found = platform::systemInformationTool(registry, fileExists);
    expect(found.value_or("") == expected && registry.open == 0 && !registry.writable,
           "the tool found: \"" + found.value_or("") + "\"" + (registry.writable ? ", a key open for writing" : ""));
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string part = argc > 1 ? argv[1] : "";
    if (part == "values") {
        // Wine's reg tool stores every string with its terminating NUL, a
        // .reg file too; only advapi32 itself writes one without. Like
        // Windows, it counts a NUL just after the data as the terminator, so
        // the data is followed by another character.
        HKEY key = nullptr;
        const wchar_t abc[] = L"abc!";
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != 0
            || RegSetValueExW(key, L"WithoutNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(abc), 3 * sizeof(wchar_t)) != 0)
            expect(false, "writing a string without its NUL");
        RegCloseKey(key);
        read("WithNul", true, "abc");
        read("WithoutNul", true, "abc");
        read("Longest", true, std::string(1023, 'x'));
        read("TooLong", false, "");
        read("Number", true, "305419896");
        read("Negative", true, "-1");
        read("Binary", true, "kept");
        read("Absent", false, "");
        WatchedRegistry registry;
        std::string text;
        expect(!platform::readKeyValue(registry, platform::registry::LocalMachine, Key + "\\Absent", "x", text),
               "a missing key is not read");
        try {
            platform::readKeyValue(registry, platform::registry::LocalMachine, Key, "Empty", text);
            expect(false, "a value of zero bytes read");
        } catch (const platform::RuntimeError& error) {
            expect(error.number() == platform::error::InvalidCall && registry.open == 0,
                   "a value of zero bytes raises the invalid-call error; its key is closed");
        }
    } else if (part == "tool" && argc > 2) {
        tool(argv[2]);
    } else {
        std::printf("usage: wine_registry_test values | tool <the path expected>\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
