#include "cli/arguments.h"

#include "document/logbookdocument.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <initializer_list>
#include <optional>

namespace spritlog::cli {
namespace {

struct CommandInfo {
    const char* name;
    Command command;
    int positionals; // after the command name
};

constexpr CommandInfo kCommands[] = {
    {"table", Command::Table, 1},       {"source", Command::Source, 1},
    {"stats", Command::Stats, 1},       {"stations", Command::Stations, 1},
    {"chart", Command::Chart, 2},       {"export", Command::Export, 2},
    {"print", Command::Print, 1},       {"import", Command::Import, 2},
    {"report", Command::Report, 1},     {"years", Command::Years, 1},
    {"energies", Command::Energies, 1},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Options of the form "--name VALUE" or "--name=VALUE".
bool TakesValue(const std::string& name) {
    return name == "--zoom" || name == "--to" || name == "--pdf" || name == "--png" ||
           name == "--svg" || name == "--size" || name == "--monate" || name == "--spalten" ||
           name == "--energie";
}

bool OptionAllowed(Command command, const std::string& name) {
    switch (command) {
    case Command::Source:
        return name == "--monat";
    case Command::Stats:
        return name == "--window";
    case Command::Chart:
        return name == "--monat" || name == "--zoom" || name == "--png" || name == "--svg" ||
               name == "--size" || name == "--energie";
    case Command::Export:
        return name == "--to";
    case Command::Print:
    case Command::Report:
        return name == "--pdf";
    case Command::Years:
        return name == "--monate";
    case Command::Import:
        return name == "--spalten";
    default:
        return false;
    }
}

int ParseView(const std::string& text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '7')
        return text[0] - '0';
    throw UsageError("ANSICHT muss eine Zahl von 1 bis 7 sein, nicht '" + text + "'");
}

int ParseZoom(const std::string& text) {
    const std::string value = Lower(text);
    if (value == "100" || value == "100%")
        return 0;
    if (value == "bereich")
        return 1;
    throw UsageError("--zoom erwartet 100 oder bereich, nicht '" + text + "'");
}

// "WIDTHxHEIGHT" in pixels.
void ParseSize(const std::string& text, Invocation& call) {
    const auto number = [](const std::string& digits, int& out) {
        const char* end = digits.data() + digits.size();
        const auto [ptr, ec] = std::from_chars(digits.data(), end, out);
        return !digits.empty() && ec == std::errc() && ptr == end && out >= 16 && out <= 10000;
    };
    const std::size_t x = Lower(text).find('x');
    if (x == std::string::npos || !number(text.substr(0, x), call.pictureWidth) ||
        !number(text.substr(x + 1), call.pictureHeight))
        throw UsageError("--size erwartet BREITExHÖHE in Pixeln (16 bis 10000), etwa 1200x800, "
                         "nicht '" +
                         text + "'");
}

// A calendar year, 1 to 9999, as the dates of the logbook write it.
int ParseYear(const std::string& text) {
    int year = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, year);
    if (text.empty() || text.size() > 4 || ec != std::errc() || ptr != end || year < 1)
        throw UsageError("--monate erwartet ein Jahr wie 2025, nicht '" + text + "'");
    return year;
}

// One of the energies by the name of its unit, in any case.
Energy ParseEnergy(const std::string& text) {
    const std::string value = Lower(text);
    for (Energy energy : {Energy::Litre, Energy::Kilogram, Energy::KilowattHour})
        if (value == Lower(WordsOf(energy).quantity))
            return energy;
    throw UsageError("--energie erwartet Liter, kg oder kWh, nicht '" + text + "'");
}

WriterKind FormatWriter(const std::string& format) {
    if (format == "csv")
        return WriterKind::Csv;
    if (format == "htm")
        return WriterKind::Html;
    if (format == "xlsx")
        return WriterKind::Xlsx;
    if (format == "spritmonitor")
        return WriterKind::Spritmonitor;
    return WriterKind::Native;
}

// The writer a target's ending must choose for `format`: Spritmonitor's layout is a CSV file.
WriterKind TargetWriter(const std::string& format) {
    const WriterKind kind = FormatWriter(format);
    return kind == WriterKind::Spritmonitor ? WriterKind::Csv : kind;
}

std::string ParseFormat(const std::string& text) {
    const std::string format = Lower(text);
    if (format == "csv" || format == "htm" || format == "slg" || format == "xlsx" ||
        format == "spritmonitor")
        return format;
    throw UsageError("Format muss csv, htm, slg, xlsx oder spritmonitor sein, nicht '" + text +
                     "'");
}

// Whether --help (or -h) or --version stands before "--".
bool HasFlag(const std::vector<std::string>& args, std::initializer_list<const char*> flags) {
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        for (const char* flag : flags)
            if (arg == flag)
                return true;
    }
    return false;
}

const CommandInfo& FindCommand(const std::string& name) {
    const CommandInfo* info = nullptr;
    for (const CommandInfo& candidate : kCommands)
        if (name == candidate.name)
            info = &candidate;
    if (!info)
        throw UsageError("unbekannter Befehl '" + name + "'");
    return *info;
}

// One option with its value (empty for the switches) into `call`.
void ApplyOption(const std::string& name, const std::string& value, Invocation& call) {
    if (name == "--zoom") {
        call.zoomIndex = ParseZoom(value);
    } else if (name == "--to") {
        call.exportTarget = value;
    } else if (name == "--png" || name == "--svg") {
        if (value.empty())
            throw UsageError("Option " + name + " braucht einen Wert");
        if (!call.pictureTarget.empty())
            throw UsageError("--png und --svg schließen einander aus");
        call.pictureTarget = value;
        call.pictureSvg = name == "--svg";
    } else if (name == "--size") {
        ParseSize(value, call);
    } else if (name == "--pdf") {
        call.pdfTarget = value;
    } else if (name == "--monate") {
        call.monthsOf = ParseYear(value);
    } else if (name == "--spalten") {
        if (value.empty())
            throw UsageError("Option --spalten braucht eine Zuordnung");
        call.importMapping = value;
    } else if (name == "--energie") {
        call.energy = ParseEnergy(value);
    } else if (name == "--monat") {
        call.perMonth = true;
    } else {
        call.statsWindow = true;
    }
}

struct ReadArguments {
    std::vector<std::string> positionals;
    std::vector<std::string> seen; // the options' names
};

// The options and positional arguments after the command name.
ReadArguments ReadOptions(const std::vector<std::string>& args, const CommandInfo& info,
                          Invocation& call) {
    ReadArguments read;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            read.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const auto equals = arg.find('='); equals != std::string::npos && arg[1] == '-') {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (name != "--monat" && name != "--window" && !TakesValue(name))
            throw UsageError("unbekannte Option '" + arg + "'");
        if (!OptionAllowed(call.command, name))
            throw UsageError("Option " + name + " gilt nicht für '" + info.name + "'");
        if (std::find(read.seen.begin(), read.seen.end(), name) != read.seen.end())
            throw UsageError("Option " + name + " ist doppelt angegeben");
        read.seen.push_back(name);
        if (TakesValue(name)) {
            if (!value) {
                if (i + 1 >= args.size())
                    throw UsageError("Option " + name + " braucht einen Wert");
                value = args[++i];
            }
        } else if (value) {
            throw UsageError("Option " + name + " nimmt keinen Wert");
        }
        ApplyOption(name, value.value_or(std::string()), call);
    }
    return read;
}

// The positional arguments of the command into `call`, with the checks that need them.
void ApplyPositionals(const ReadArguments& read, const CommandInfo& info, Invocation& call) {
    const std::vector<std::string>& positionals = read.positionals;
    const std::size_t expected = static_cast<std::size_t>(info.positionals);
    if (positionals.size() < expected)
        throw UsageError(std::string("zu wenige Argumente für '") + info.name + "'");
    if (positionals.size() > expected)
        throw UsageError("überzähliges Argument '" + positionals[expected] + "'");

    switch (call.command) {
    case Command::Chart:
        call.view = ParseView(positionals[0]);
        call.file = positionals[1];
        if (call.pictureTarget.empty() &&
            std::find(read.seen.begin(), read.seen.end(), "--size") != read.seen.end())
            throw UsageError("--size gilt nur mit --png oder --svg");
        break;
    case Command::Export:
        call.file = positionals[0];
        call.format = ParseFormat(positionals[1]);
        // The writer follows the target's name; a name that would pick another writer
        // than the one asked for is refused rather than silently written in that format.
        if (call.exportTarget && WriterFor(*call.exportTarget) != TargetWriter(call.format))
            throw UsageError("der Name '" + *call.exportTarget + "' passt nicht zum Format " +
                             call.format);
        break;
    case Command::Print:
        call.file = positionals[0];
        if (call.pdfTarget.empty())
            throw UsageError("print braucht --pdf ZIEL.pdf");
        break;
    case Command::Report:
        call.file = positionals[0];
        if (call.pdfTarget.empty())
            throw UsageError("report braucht --pdf ZIEL.pdf");
        break;
    case Command::Import:
        call.file = positionals[0];
        call.importSource = positionals[1];
        // The logbook is saved under its own name, so a name that selects the CSV or HTML
        // writer would turn it into an export that cannot be loaded again.
        if (WriterFor(call.file) != WriterKind::Native)
            throw UsageError("der Name '" + call.file + "' passt nicht zum Format slg");
        break;
    default:
        call.file = positionals[0];
        break;
    }
}

} // namespace

Invocation ParseArguments(const std::vector<std::string>& args) {
    Invocation call;
    // --help and --version win wherever they stand (before "--").
    if (HasFlag(args, {"--help", "-h"}))
        return call;
    if (HasFlag(args, {"--version"})) {
        call.command = Command::Version;
        return call;
    }
    if (args.empty())
        throw UsageError("Befehl fehlt");
    const CommandInfo& info = FindCommand(args[0]);
    call.command = info.command;
    ApplyPositionals(ReadOptions(args, info, call), info, call);
    return call;
}

} // namespace spritlog::cli
