#include "app/core/ExecCommand.h"

#include <cctype>

bool SplitCommandLine(std::string_view line, std::vector<std::string>& words)
{
    words.clear();
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size() && std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos)
                word += line[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return false;
    if (inWord)
        words.push_back(word);
    return !words.empty();
}

std::string FileUrl(const std::string& path)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += char(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

bool ExpandExec(std::string_view line, const ExecContext& context, std::vector<std::string>& argv)
{
    std::vector<std::string> words;
    if (!SplitCommandLine(line, words))
        return false;
    argv.clear();
    bool fileGiven = false;
    for (const std::string& word : words) {
        // A word that is only a list code stands for its words.
        if (word == "%i") {
            if (!context.icon.empty()) {
                argv.push_back("--icon");
                argv.push_back(context.icon);
            }
            continue;
        }
        if (word == "%F" || word == "%U" || word == "%f" || word == "%u") {
            argv.push_back(word[1] == 'u' || word[1] == 'U' ? FileUrl(context.file) : context.file);
            fileGiven = true;
            continue;
        }
        std::string out;
        bool dropped = false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%' || i + 1 == word.size()) {
                out += word[i];
                continue;
            }
            const char code = word[++i];
            switch (code) {
            case '%': out += '%'; break;
            case 'f':
            case 'F': out += context.file, fileGiven = true; break;
            case 'u':
            case 'U': out += FileUrl(context.file), fileGiven = true; break;
            case 'c': out += context.name; break;
            case 'k': out += context.entryPath; break;
            case 'i': out += context.icon; break;
            default: dropped = true; break;  // deprecated or unknown codes vanish
            }
        }
        if (!(dropped && out.empty()))
            argv.push_back(out);
    }
    if (argv.empty())
        return false;
    if (!fileGiven)
        argv.push_back(context.file);
    return true;
}
