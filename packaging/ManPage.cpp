// Writes the man page of kq9ctl from its template: the synopsis comes from the program's usage
// text and the commands from its command table, so the page says what --help says.
//   kq9ctl-manpage TEMPLATE VERSION > kq9ctl.1

#include "cli/CtlCommands.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string_view>

namespace {

// Text for a roff line: backslashes and minus signs escaped, a leading control character kept
// as text.
std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

// The global options of the usage text, on one line: what stands between "usage: kq9ctl" and
// the command list.
bool Synopsis(std::string& synopsis) {
    const std::string usage = CtlUsage();
    const std::string head = "usage: kq9ctl ";
    size_t commands = usage.find("\ncommands:\n");
    if (!usage.starts_with(head) || commands == std::string::npos)
        return false;
    std::istringstream words(usage.substr(head.size(), commands - head.size()));
    std::string word;
    synopsis.clear();
    while (words >> word)
        synopsis += (synopsis.empty() ? "" : " ") + word;
    synopsis = Roff(synopsis);
    return true;
}

// One entry per command, its arguments in a column wide enough for the longest name.
std::string Commands() {
    size_t width = 0;
    for (const TCtlCommand& command : CtlCommands())
        width = std::max(width, std::string_view(command.Name).size());
    const std::string indent = ".TP " + std::to_string(width + 2) + "n\n";
    std::string text;
    for (const TCtlCommand& command : CtlCommands()) {
        text += indent + ".B " + Roff(command.Name) + "\n";
        text += (*command.Synopsis ? Roff(command.Synopsis) : std::string("\\&")) + "\n";
    }
    return text;
}

bool Replace(std::string& text, const std::string& key, const std::string& value) {
    size_t at = text.find(key);
    if (at == std::string::npos)
        return false;
    // The placeholder stands on a line of its own; the value brings its own line ends.
    size_t length = key.size();
    if (value.ends_with('\n') && text.compare(at + length, 1, "\n") == 0)
        ++length;
    text.replace(at, length, value);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kq9ctl-manpage TEMPLATE VERSION\n";
        return 1;
    }
    std::ifstream file(argv[1]);
    std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string synopsis;
    if (!file.is_open() || !Synopsis(synopsis)) {
        std::cerr << "kq9ctl-manpage: cannot read " << argv[1] << " or the usage text\n";
        return 1;
    }
    if (!Replace(page, "@SYNOPSIS@", synopsis) || !Replace(page, "@COMMANDS@", Commands()) ||
        !Replace(page, "@VERSION@", argv[2])) {
        std::cerr << "kq9ctl-manpage: the template lacks a placeholder\n";
        return 1;
    }
    std::cout << page;
    return std::cout ? 0 : 1;
}
