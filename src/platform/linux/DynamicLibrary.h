#pragma once

#include <string>

// A shared library opened the first time one of its functions is needed, so
// that starting the program does not pay for libraries that only some
// commands use. Once opened it stays loaded for the life of the process.
class DynamicLibrary {
public:
    explicit DynamicLibrary(const char* soname) : soname_(soname) {}
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Opens the library if that has not been tried; false, with error()
    // telling why, when it cannot be opened.
    bool open();
    // Sets function to the library's symbol of that name; false when missing.
    template <typename Function>
    bool resolve(Function& function, const char* name)
    {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }
    const std::string& error() const { return error_; }

private:
    void* symbol(const char* name);

    const char* soname_;
    void* handle_ = nullptr;
    bool tried_ = false;
    std::string error_;
};
