#pragma once

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/operating_system.h"
#include "platform/registry.h"
#include "platform/runtime_error.h"

// A registry held in memory, which records what is asked of it.
class MemoryRegistry : public platform::Registry {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };

    void setString(const std::string& key, const std::string& name, const std::string& text, bool withNul = true)
    {
        keys[key][name] = {platform::registry::String, withNul ? text + '\0' : text};
    }

    long openKey(std::uint32_t root, const std::string& path, std::uint32_t options, std::uint32_t access,
                 Key& key) override
    {
        opened.push_back(path);
        accesses.push_back(access);
        if (root != platform::registry::LocalMachine || options != 0 || !keys.count(path))
            return platform::registry::FileNotFound;
        if (refused.count(path))
            return platform::registry::AccessDenied;
        handles.push_back(path);
        key = handles.size();
        ++open;
        return platform::registry::Success;
    }

    long queryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                    std::uint32_t& size) override
    {
        const auto& values = keys[handles.at(key - 1)];
        const auto it = values.find(name);
        if (it == values.end())
            return platform::registry::FileNotFound;
        type = it->second.type;
        const auto needed = static_cast<std::uint32_t>(it->second.bytes.size());
        if (needed > size) {
            size = needed;
            return platform::registry::MoreData;
        }
        std::memcpy(buffer, it->second.bytes.data(), needed);
        size = needed;
        return platform::registry::Success;
    }

    long closeKey(Key) override
    {
        --open;
        return platform::registry::Success;
    }

    std::map<std::string, std::map<std::string, Value>> keys;
    std::set<std::string> refused;
    std::vector<std::string> handles;
    std::vector<std::string> opened;
    std::vector<std::uint32_t> accesses;
    int open = 0;  // keys opened and not yet closed
};

// Files and programs that exist only in the test; starts are recorded.
class RecordingSystem : public platform::OperatingSystem {
public:
    std::string fileExists(const std::string& path) override
    {
        tested.push_back(path);
        return files.count(path) ? path.substr(path.find_last_of('\\') + 1) : std::string();
    }

    long startProgram(const std::string& path) override
    {
        if (!programs.count(path))
            platform::raiseFileNotFound();
        started.push_back(path);
        return 42;
    }

    std::set<std::string> files;
    std::set<std::string> programs;
    std::vector<std::string> tested;
    std::vector<std::string> started;
};
