#include "cli/CtlOptions.h"

#include "comm/ComNames.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && ptr == end;
}

using TSetter = std::function<bool(const std::string& value, TCtlOptions& options)>;

const std::map<std::string, TSetter>& Setters() {
    static const std::map<std::string, TSetter> setters = {
        {"--home",
         [](const std::string& v, TCtlOptions& o) {
             o.Home = v;
             return !v.empty();
         }},
        {"--port",
         [](const std::string& v, TCtlOptions& o) {
             TPort port;
             if (ParseComName(v, port)) {
                 o.Port = port;
                 o.DevicePath.clear();
             } else {
                 o.Port.reset();
                 o.DevicePath = v;
             }
             return !v.empty();
         }},
        {"--baud",
         [](const std::string& v, TCtlOptions& o) {
             TBaudrate rate;
             if (!ParseBaudrate(v, rate))
                 return false;
             o.Baudrate = rate;
             return true;
         }},
        {"--parity",
         [](const std::string& v, TCtlOptions& o) {
             static const std::map<std::string, TParityBit> parities = {
                 {"N", TParityBit::None}, {"E", TParityBit::Even}, {"O", TParityBit::Odd}};
             auto found = parities.find(v);
             if (found == parities.end())
                 return false;
             o.Parity = found->second;
             return true;
         }},
        {"--databits",
         [](const std::string& v, TCtlOptions& o) {
             if (v != "7" && v != "8")
                 return false;
             o.Databits = v == "7" ? TDataBit::db_7 : TDataBit::db_8;
             return true;
         }},
        {"--stopbits",
         [](const std::string& v, TCtlOptions& o) {
             if (v != "1" && v != "2")
                 return false;
             o.Stopbits = v == "1" ? TStopBit::sb_1 : TStopBit::sb_2;
             return true;
         }},
        {"--unit",
         [](const std::string& v, TCtlOptions& o) {
             return ParseInt(v, o.Unit) && o.Unit >= 0 && o.Unit <= 31;
         }},
        {"--timeout",
         [](const std::string& v, TCtlOptions& o) { return ParseInt(v, o.TimeoutMs); }},
    };
    return setters;
}

} // namespace

bool ParseBaudrate(const std::string& text, TBaudrate& rate) {
    static const std::map<std::string, TBaudrate> rates = {
        {"1200", TBaudrate::br1200},    {"2400", TBaudrate::br2400},
        {"4800", TBaudrate::br4800},    {"9600", TBaudrate::br9600},
        {"19200", TBaudrate::br19200},  {"28800", TBaudrate::br28800},
        {"38400", TBaudrate::br38400},  {"57600", TBaudrate::br57600},
        {"115200", TBaudrate::br115200}};
    auto found = rates.find(text);
    if (found == rates.end())
        return false;
    rate = found->second;
    return true;
}

bool NextOption(const std::vector<std::string>& args, size_t& i, std::string& name,
                std::string& value, std::string& error) {
    name = args[i++];
    if (size_t equals = name.find('='); equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
        return true;
    }
    if (i == args.size()) {
        error = "option " + name + " needs a value";
        return false;
    }
    value = args[i++];
    return true;
}

bool ParseCtlOptions(const std::vector<std::string>& args, TCtlOptions& options,
                     std::string& error) {
    size_t i = 0;
    while (i < args.size() && args[i].starts_with("--")) {
        std::string name, value;
        if (!NextOption(args, i, name, value, error))
            return false;
        auto setter = Setters().find(name);
        if (setter == Setters().end()) {
            error = "unknown option " + name;
            return false;
        }
        if (!setter->second(value, options)) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    if (i == args.size()) {
        error = "no command given";
        return false;
    }
    options.Command = args[i];
    options.Arguments.assign(args.begin() + static_cast<long>(i) + 1, args.end());
    return true;
}
