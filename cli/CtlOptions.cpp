#include "cli/CtlOptions.h"

#include "cli/CtlCommands.h"
#include "comm/ComNames.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

namespace {

enum class TOptionKind { Unknown, Valued, Switch };

// Takes the option at args[i] ("--name value", "--name=value" or a switch "--name") and moves i
// past it. The name is looked at before anything else, so that an unknown option is called
// unknown wherever it stands.
bool TakeOption(const std::vector<std::string>& args, size_t& i,
                const std::function<TOptionKind(const std::string& name)>& kindOf,
                std::string& name, std::string& value, std::string& error) {
    name = args[i++];
    std::optional<std::string> given;
    if (size_t equals = name.find('='); equals != std::string::npos) {
        given = name.substr(equals + 1);
        name.resize(equals);
    }
    switch (kindOf(name)) {
    case TOptionKind::Unknown:
        error = "unknown option " + name;
        return false;
    case TOptionKind::Switch:
        if (given) {
            error = "option " + name + " takes no value";
            return false;
        }
        value.clear();
        return true;
    case TOptionKind::Valued:
        break;
    }
    if (given) {
        value = *given;
        return true;
    }
    if (i == args.size()) {
        error = "option " + name + " needs a value";
        return false;
    }
    value = args[i++];
    return true;
}

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
        {"--log",
         [](const std::string& v, TCtlOptions& o) {
             o.LogPath = v;
             return !v.empty();
         }},
    };
    return setters;
}

} // namespace

bool ParseBaudrate(const std::string& text, TBaudrate& rate) {
    for (int ordinal = 0; ordinal < EnumCount<TBaudrate>(); ++ordinal) {
        if (text == std::to_string(BaudRateValues[static_cast<size_t>(ordinal)])) {
            rate = static_cast<TBaudrate>(ordinal);
            return true;
        }
    }
    return false;
}

bool TCommandArguments::Has(const std::string& name) const {
    return std::any_of(Options.begin(), Options.end(),
                       [&](const auto& option) { return option.first == name; });
}

bool ParseCommandArguments(const std::vector<std::string>& args, const TCommandOptionSpec& spec,
                           TCommandArguments& parsed, std::string& error) {
    auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    auto kindOf = [&](const std::string& name) {
        return listed(spec.Valued, name)     ? TOptionKind::Valued
               : listed(spec.Switches, name) ? TOptionKind::Switch
                                             : TOptionKind::Unknown;
    };
    parsed = TCommandArguments();
    for (size_t i = 0; i < args.size();) {
        if (!args[i].starts_with("--")) {
            parsed.Words.push_back(args[i++]);
            continue;
        }
        std::string name, value;
        if (!TakeOption(args, i, kindOf, name, value, error))
            return false;
        parsed.Options.emplace_back(name, value);
    }
    return true;
}

bool TakeCommandArguments(const TCtlOptions& options, const TCommandOptionSpec& spec,
                          TCommandArguments& parsed) {
    std::string error;
    if (ParseCommandArguments(options.Arguments, spec, parsed, error))
        return true;
    std::cerr << "kq9ctl: " << options.Command << ": " << error << '\n' << CtlUsage();
    return false;
}

bool ParseCtlOptions(const std::vector<std::string>& args, TCtlOptions& options,
                     std::string& error) {
    auto kindOf = [](const std::string& name) {
        return name == "--fast"           ? TOptionKind::Switch
               : Setters().contains(name) ? TOptionKind::Valued
                                          : TOptionKind::Unknown;
    };
    size_t i = 0;
    while (i < args.size() && args[i].starts_with("--")) {
        std::string name, value;
        if (!TakeOption(args, i, kindOf, name, value, error))
            return false;
        if (name == "--fast") {
            options.Fast = true;
            continue;
        }
        auto setter = Setters().find(name);
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
