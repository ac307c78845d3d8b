#include "DynamicLibrary.h"

#include <dlfcn.h>

bool DynamicLibrary::open()
{
    if (!tried_) {
        tried_ = true;
        handle_ = ::dlopen(soname_, RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* why = ::dlerror();
            error_ = why ? why : std::string(soname_) + ": cannot be opened";
        }
    }
    return handle_ != nullptr;
}

void* DynamicLibrary::symbol(const char* name)
{
    if (!open())
        return nullptr;
    void* found = ::dlsym(handle_, name);
    if (!found)
        error_ = std::string(soname_) + ": " + name + " is missing";
    return found;
}
