#pragma once

namespace TESSARIL_COMMON {

// Base of every process-wide object: `class Foo : public Singleton<Foo>`.
//
// The instance is created with `new` on the first GetInstance() and lives until
// DestroyInstance() deletes it through the virtual destructor; a later access
// creates a fresh one. No lock is taken: the host application calls the plugin
// one export at a time, and the first access of each singleton that other
// threads also use happens before those threads exist.
template <class T>
class Singleton {
public:
    virtual ~Singleton() = default;

    static T* GetInstance()
    {
        if (instance == nullptr) {
            instance = new T();
        }
        return instance;
    }

    static void DestroyInstance()
    {
        delete instance;
        instance = nullptr;
    }

protected:
    Singleton() = default;

private:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static inline T* instance = nullptr;
};

}  // namespace TESSARIL_COMMON
