#pragma once
#include <cstdint>
#include <map>
#include <string>

// Member numbers already looked up, by object kind and member name. Every
// object of one kind (every contact item, say) has the same members, so a
// name needs asking for once per kind, not before every call: out of
// process each lookup is a round trip. Objects whose kind nobody set are
// never cached. One cache serves one connection to Outlook: a server
// started afresh may number its members otherwise.
class MemberIdCache {
public:
    bool find(const std::string& kind, const char* name, int32_t* member) const {
        if (kind.empty() || !name)
            return false;
        auto found = members_.find(key(kind, name));
        if (found == members_.end())
            return false;
        *member = found->second;
        return true;
    }
    void store(const std::string& kind, const char* name, int32_t member) {
        if (kind.empty() || !name)
            return;
        members_[key(kind, name)] = member;
    }

private:
    static std::string key(const std::string& kind, const char* name) { return kind + '.' + name; }
    std::map<std::string, int32_t> members_;
};
