#pragma once

#include <cstdint>
#include <unordered_map>

// Message id -> member function of Owner that handles the payload. Filled by
// the owner's constructor and never changed afterwards.
template <class Owner>
class MessageDispatchTable {
public:
    using Handler = void (Owner::*)(const void* payload);

    void Register(uint64_t id, Handler handler) { handlers.emplace(id, handler); }

    // False for a null payload or an id not in the table; otherwise the handler
    // ran. The payload is not looked at before both checks pass.
    bool Dispatch(Owner& owner, uint64_t id, const void* payload) const
    {
        if (payload == nullptr) {
            return false;
        }
        const auto entry = handlers.find(id);
        if (entry == handlers.end()) {
            return false;
        }
        (owner.*(entry->second))(payload);
        return true;
    }

private:
    std::unordered_map<uint64_t, Handler> handlers;
};
