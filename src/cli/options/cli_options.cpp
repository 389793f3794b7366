#include "cli/options/cli_options.h"

#include "lib/wording/text_join.h"

namespace pxm::cli {

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Usage(std::string error) {
    ParsedCommandLine parsed;
    parsed.action = Action::UsageError;
    parsed.error = std::move(error);
    return parsed;
}

// Options that this combination of options and inputs would leave without effect: an error
// naming why, or empty.
std::string CombinationError(const CliOptions& options, const GivenOptions& given) {
    if (std::optional<std::string> error = pxm::CombinationError(options, given)) return std::move(*error);
    if (options.info) {
        for (const Option option : {Option::Output, Option::OutputDir, Option::Format, Option::Container, Option::Name,
                                    Option::Replace, Option::FixSp2Flaw, Option::Executable, Option::Preview, Option::Jobs,
                                    Option::ClashMap, Option::Backgrounds, Option::Nearest}) {
            if (IsGiven(given, option))
                return Join({Spelling(option), " has no effect: --info only describes the files and writes nothing"});
        }
    } else if (options.onlyListing()) {
        for (const Option option : {Option::Mode, Option::Background, Option::Format, Option::Container, Option::Name,
                                    Option::Replace, Option::FixSp2Flaw, Option::Executable, Option::Preview,
                                    Option::ClashMap, Option::Jobs}) {
            if (IsGiven(given, option))
                return Join({Spelling(option),
                             " has no effect: --backgrounds without -o only lists the backgrounds and writes nothing"});
        }
        if (options.inputs.size() > 1) return "--backgrounds without -o lists the backgrounds of one picture";
    }
    if (!options.diskFile.empty() && options.inputs.size() > 1) return "--file picks a file on one D64 image";
    std::size_t standardInputs = 0;
    for (const std::string& input : options.inputs) standardInputs += input == StandardStream;
    if (standardInputs > 0 && options.inputs.size() > 1)
        return "standard input (-) can only be the one input";
    if (options.inputs.size() > 1) {
        if (options.output == StandardStream) return "-o - writes one file: give it with one input only";
    }
    if (standardInputs > 0 && options.output.empty() && options.outputDir.empty() && !options.onlyListing())
        return "standard input (-) has no name to name the output after: give -o OUTPUT";
    if (std::optional<std::string> error = ProgramNameError(options, options.inputs[0], options.output)) return std::move(*error);
    return {};
}

// One option as the command line gave it: its row, its value if it came with one, and how it
// was spelled (for messages).
struct OptionUse {
    const OptionName* option = nullptr;
    std::optional<std::string_view> value;
    std::string spelled;
};

// The options one argument holds: a long option ("--name" or "--name=value") or, as getopt reads
// them, a cluster of short letters ("-nq"), of which one that takes a value ends the cluster,
// the rest of the argument being its value ("-ofile", "-nqo file"). An error names what is wrong.
std::string OptionsOf(std::string_view arg, std::vector<OptionUse>& uses) {
    if (arg[1] == '-') {
        const auto equals = arg.find('=');
        OptionUse use{FindLongOption(arg.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2)),
                      std::nullopt, std::string(arg.substr(0, equals))};
        if (use.option == nullptr) return Join({"unknown option ", Quoted(use.spelled)});
        if (equals != std::string_view::npos) use.value = arg.substr(equals + 1);
        if (use.option->takes == Argument::None && use.value)
            return Join({"option ", Quoted(use.spelled), " takes no value"});
        uses.push_back(std::move(use));
        return {};
    }
    for (std::size_t at = 1; at < arg.size(); ++at) {
        OptionUse use{FindShortOption(arg[at]), std::nullopt, Join({"-", arg.substr(at, 1)})};
        if (use.option == nullptr) {
            if (arg.size() == 2) return Join({"unknown option ", Quoted(arg)});
            return Join({"unknown option letter ", Quoted(arg.substr(at, 1)), " in ", Quoted(arg)});
        }
        const bool takesValue = use.option->takes == Argument::Value;
        if (takesValue && at + 1 < arg.size()) use.value = arg.substr(at + 1);
        uses.push_back(std::move(use));
        if (takesValue) break;
    }
    return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
    ParsedCommandLine parsed;
    GivenOptions given{};
    bool optionsEnded = false;
    std::vector<OptionUse> uses;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (arg.empty()) return Usage("the input file name is empty");
            parsed.options.inputs.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        uses.clear();
        if (std::string error = OptionsOf(arg, uses); !error.empty()) return Usage(error);
        for (OptionUse& use : uses) {
            const Option option = use.option->option;
            if (option == Option::Help) return {Action::Help, {}, {}, {}};
            if (option == Option::Version) return {Action::Version, {}, {}, {}};
            bool& seen = given[static_cast<std::size_t>(option)];
            if (use.option->takes == Argument::Value) {
                if (!use.value) {
                    if (i + 1 == args.size()) return Usage(Join({"option ", Quoted(use.spelled), " needs a value"}));
                    use.value = args[++i];
                }
                // A second value would silently win over the first.
                if (seen) return Usage(Join({"option ", Spelling(option), " is given more than once"}));
            }
            seen = true;
            if (Status<std::string> applied = ApplyOption(option, use.value.value_or(""), use.spelled, parsed.options); !applied)
                return Usage(applied.error());
        }
    }
    CliOptions& options = parsed.options;
    if (options.inputs.empty()) return Usage("no input file given");
    if (std::string error = CombinationError(options, given); !error.empty()) return Usage(error);
    if (IsGiven(given, Option::Jobs) && options.inputs.size() == 1)
        parsed.warnings.emplace_back("-j/--jobs has no effect with one input: it converts several pictures at once");
    return parsed;
}

}  // namespace pxm::cli
