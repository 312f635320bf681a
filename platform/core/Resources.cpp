// Named resources embedded into the program.
#include "platform/core/Resources.h"

#include <map>
#include <mutex>

#include "platform/core/SysUtils.h"

namespace zk {

namespace {

struct TResource {
    const uint8_t* Data;
    size_t Size;
};

struct TResourceTable {
    std::mutex Lock;
    std::map<std::pair<std::string, std::string>, TResource> Entries;  // (TYPE, NAME) upper-case
};

TResourceTable& Table() {
    static TResourceTable T;
    return T;
}

}  // namespace

void RegisterResource(const std::string& Name, const std::string& Type, const uint8_t* Data, size_t Size) {
    std::lock_guard<std::mutex> Guard(Table().Lock);
    Table().Entries[{UpperCase(Type), UpperCase(Name)}] = TResource{Data, Size};
}

bool FindResource(const std::string& Name, const std::string& Type, const uint8_t*& Data, size_t& Size) {
    std::lock_guard<std::mutex> Guard(Table().Lock);
    auto It = Table().Entries.find({UpperCase(Type), UpperCase(Name)});
    if (It == Table().Entries.end()) return false;
    Data = It->second.Data;
    Size = It->second.Size;
    return true;
}

std::vector<std::string> ResourceNames(const std::string& Type) {
    std::lock_guard<std::mutex> Guard(Table().Lock);
    std::vector<std::string> Names;
    std::string T = UpperCase(Type);
    for (const auto& [Key, Value] : Table().Entries)
        if (Key.first == T) Names.push_back(Key.second);
    return Names;
}

}  // namespace zk
