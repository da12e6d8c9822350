// vornak-sim: plays whole games headless and reports what happened.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "core/language.h"
#include "simulator.h"

namespace {

const char* const kUsage =
    "Usage: vornak-sim [options]\n"
    "Plays whole games of Vornak without a window: the three computer seats as\n"
    "in the game, your seat by a simple automated player unless --person says.\n"
    "\n"
    "  --level beginner|vip  the level (default beginner)\n"
    "  --target N            normal mode with that point target: 300, 500 or 700 at\n"
    "                        Beginner, 500, 1000 or 2000 at VIP (default the first)\n"
    "  --mission             mission mode instead of a normal-mode target\n"
    "  --games N             games to play (default 1)\n"
    "  --seed S              seed of the random numbers (default 1)\n"
    "  --person simple|rules|expert|master  who plays your seat: the simple\n"
    "                        automated player (default), the computer seats' logic at\n"
    "                        the level in force, the Expert that looks ahead, or the\n"
    "                        Master that searches every move\n"
    "  --seats rules|expert|master  the three computer seats as the rules' players\n"
    "                        (default), as the Expert or as the Master\n"
    "  --master-rollouts N   the Master's rollouts per decision in your seat\n"
    "                        (default 6000)\n"
    "  --no-inference        the Master in your seat weighs every deal alike\n"
    "  --check               verify the invariants after every action; stop at the\n"
    "                        first violation with a non-zero exit status\n"
    "  --log FILE            write every action and decision as JSON lines\n"
    "  --name NAME           the name of your seat (default Sim)\n"
    "  --data DIR            folder for the records file (default: a temporary one)\n"
    "  --trace STEP          from that loop step on, print where every card is\n"
    "  --lang th|en          the language of the log's message lines (default th)\n"
    "  --save                save the game at every boundary between turns, as the\n"
    "                        program does (into the data folder)\n"
    "  --restore P           --save, and after P percent of the saves (drawn apart\n"
    "                        from the game) restart from the save in a fresh game\n"
    "  --history             keep every finished game in History.csv in the data\n"
    "                        folder, as the program does\n"
    "  --history-days N      --history, with the games dated evenly over the last\n"
    "                        N days\n"
    "  --help                this text\n";

bool parseNumber(std::string_view text, unsigned long long& out) {
    if (text.empty() || text.front() == '-' || text.front() == '+') return false;
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(s.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

int usageError(const std::string& message) {
    std::cerr << "vornak-sim: " << message << "\nTry 'vornak-sim --help'.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using vornak::sim::Level;
    vornak::sim::Options options;
    std::string logPath;
    bool targetGiven = false;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto needValue = [&](std::string_view& value) {
            if (i + 1 >= argc) return false;
            value = argv[++i];
            return true;
        };
        std::string_view value;
        unsigned long long n = 0;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg == "--mission") {
            options.mission = true;
        } else if (arg == "--level") {
            if (!needValue(value)) return usageError("--level needs beginner or vip");
            if (value == "beginner")
                options.level = Level::Beginner;
            else if (value == "vip")
                options.level = Level::Vip;
            else
                return usageError("unknown level '" + std::string(value) + "' (beginner or vip)");
        } else if (arg == "--person") {
            if (!needValue(value))
                return usageError("--person needs simple, rules, expert or master");
            if (value == "simple")
                options.person = vornak::sim::Person::Simple;
            else if (value == "rules")
                options.person = vornak::sim::Person::Rules;
            else if (value == "expert")
                options.person = vornak::sim::Person::Expert;
            else if (value == "master")
                options.person = vornak::sim::Person::Master;
            else
                return usageError("unknown player '" + std::string(value) +
                                  "' (simple, rules, expert or master)");
        } else if (arg == "--seats") {
            if (!needValue(value) || (value != "rules" && value != "expert" && value != "master"))
                return usageError("--seats needs rules, expert or master");
            options.expertSeats = value == "expert";
            options.masterSeats = value == "master";
        } else if (arg == "--no-inference") {
            options.masterInference = false;
        } else if (arg == "--master-rollouts") {
            if (!needValue(value) || !parseNumber(value, n) || n < 1 || n > 10000000)
                return usageError("--master-rollouts needs a number from 1 up");
            options.masterRollouts = static_cast<int>(n);
        } else if (arg == "--target") {
            if (!needValue(value) || !parseNumber(value, n) || n > 100000)
                return usageError("--target needs a number of points");
            options.target = static_cast<int>(n);
            targetGiven = true;
        } else if (arg == "--games") {
            if (!needValue(value) || !parseNumber(value, n) || n < 1 || n > 10000000)
                return usageError("--games needs a number from 1 up");
            options.games = static_cast<int>(n);
        } else if (arg == "--seed") {
            if (!needValue(value) || !parseNumber(value, n))
                return usageError("--seed needs a non-negative number");
            options.seed = n;
        } else if (arg == "--lang") {
            if (!needValue(value)) return usageError("--lang needs a language, th or en");
            std::error_code ec;
            const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
            vornak::setCatalogFolder(
                vornak::findCatalogFolder(ec ? std::string(".") : self.parent_path().string()));
            if (!vornak::setLanguage(value))
                return usageError("no catalog for the language '" + std::string(value) + "'");
        } else if (arg == "--log") {
            if (!needValue(value) || value.empty()) return usageError("--log needs a file name");
            logPath = value;
        } else if (arg == "--name") {
            if (!needValue(value)) return usageError("--name needs a name");
            options.playerName = value;
        } else if (arg == "--trace") {
            if (!needValue(value) || !parseNumber(value, n) || n < 1)
                return usageError("--trace needs a step number from 1 up");
            options.traceFrom = static_cast<long>(n);
            options.trace = &std::cerr;
        } else if (arg == "--save") {
            options.saveGames = true;
        } else if (arg == "--restore") {
            if (!needValue(value) || !parseNumber(value, n) || n > 100)
                return usageError("--restore needs a percentage from 0 to 100");
            options.saveGames = true;
            options.restoreChance = static_cast<double>(n) / 100.0;
        } else if (arg == "--history") {
            options.history = true;
        } else if (arg == "--history-days") {
            if (!needValue(value) || !parseNumber(value, n) || n < 1 || n > 36500)
                return usageError("--history-days needs a number of days from 1 up");
            options.history = true;
            options.historyDays = static_cast<int>(n);
        } else if (arg == "--data") {
            if (!needValue(value) || value.empty()) return usageError("--data needs a folder");
            options.dataFolder = value;
        } else {
            return usageError("unknown option '" + std::string(arg) + "'");
        }
    }
    if (options.mission && targetGiven)
        return usageError("--target chooses normal mode; it does not go with --mission");
    if (!options.mission && vornak::sim::targetIndex(options.level, options.target) == 0)
        return usageError("no target of " + std::to_string(options.target) + " points at " +
                          (options.level == Level::Beginner ? "Beginner (300, 500 or 700)"
                                                            : "VIP (500, 1000 or 2000)"));

    std::ofstream logFile;
    if (!logPath.empty()) {
        logFile.open(logPath, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!logFile) {
            std::cerr << "vornak-sim: cannot write the log " << logPath << ": "
                      << std::strerror(errno) << "\n";
            return 2;
        }
        options.log = &logFile;
    }

    const auto summary = vornak::sim::runSimulation(options);
    if (logFile.is_open()) {
        logFile.close();
        if (!logFile && summary.ok) {
            std::cerr << "vornak-sim: the log " << logPath << " could not be written completely\n";
            vornak::sim::printSummary(std::cout, options, summary);
            return 1;
        }
    }
    vornak::sim::printSummary(std::cout, options, summary);
    if (!summary.ok) std::cerr << "vornak-sim: " << summary.error << "\n";
    return summary.exitCode();
}
