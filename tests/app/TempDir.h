// A temporary folder for one test, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/peekwell-app-XXXXXX";
        if (::mkdtemp(tmpl))
            path_ = std::string(tmpl) + "/";
    }
    ~TempDir()
    {
        if (!path_.empty()) {
            std::error_code ec;
            // Put write permission back first so a test that made a folder
            // read-only still leaves nothing behind.
            for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with "/".
    const std::string& path() const { return path_; }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string full = path_ + name;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(path_ + name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

private:
    std::string path_;
};
