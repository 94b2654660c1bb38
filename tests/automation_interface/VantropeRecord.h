#pragma once

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The calls that the drawing program's test server recorded, in order.
namespace vantroperecord {

struct RecordedCall {
    int processId = 0;
    std::string member;
    std::map<std::string, std::string> arguments; // name -> value as recorded

    const std::string& operator[](const std::string& name) const {
        static const std::string none = "(not recorded)";
        const auto found = arguments.find(name);
        return found == arguments.end() ? none : found->second;
    }
    double number(const std::string& name) const { return std::strtod((*this)[name].c_str(), nullptr); }
};

inline std::vector<RecordedCall> read(const std::string& path) {
    std::vector<RecordedCall> calls;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        RecordedCall call;
        words >> call.processId >> call.member;
        std::string word;
        while (words >> word) {
            const auto equals = word.find('=');
            call.arguments[word.substr(0, equals)] = word.substr(equals + 1);
        }
        calls.push_back(call);
    }
    return calls;
}

} // namespace vantroperecord
