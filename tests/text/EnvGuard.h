// Sets environment variables for one test and restores them afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class EnvGuard {
public:
    // A null value unsets the variable.
    EnvGuard(std::initializer_list<std::pair<const char*, const char*>> vars)
    {
        for (auto [name, value] : vars) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
    }
    ~EnvGuard()
    {
        for (auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
