// remote: presses the simulated card's remote keys, arms its faults, prints its request log, and
// registers its capture filters. Run under Wine in the prefix that holds the card.
#include "card/card_protocol.h"
#include "harness/card_device.h"
#include "harness/card_service.h"
#include "harness/deadline.h"
#include "harness/filter_registry.h"
#include "remote_keys.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* USAGE =
    "usage: remote [--device N] COMMAND       N: the card device (0-3) acted on, 0 by default\n"
    "  press KEY                 one press: shown until one read has latched it (waits up to 2 s)\n"
    "  hold KEY [--ms MS]        held for MS milliseconds, or until release\n"
    "  release\n"
    "  fault select|read-set|get|any [--error CODE] [--pend MS|held|stuck]\n"
    "                            the next such request fails with system error CODE (default 31;\n"
    "                            0 answers it normally), at once or pending; a stuck one ignores\n"
    "                            cancellation, like a hung driver\n"
    "  finish                    completes the requests held pending\n"
    "  poke ADDRESS VALUE        sets a chip register (numbers in C notation: 0x350014)\n"
    "  reset                     clears key, faults, registers and the log\n"
    "  state | log               what the card shows now | every request since the last reset\n"
    "  end-host                  ends the driver's host process: the devices are gone until the\n"
    "                            next command starts the driver again, with the card idle\n"
    "  filter add NAME [--none] [--slot S] [--instance KEY]\n"
    "                            a filter leading to device N, or to no handle at all\n"
    "  filter clear | filter list\n"
    "  setup                     installs and starts the card; with an empty video input\n"
    "                            category registers \"Solvanta QN52X Video Capture\" on device 0\n"
    "KEY: power, a button number (0-31 but 11 and 28, 256, 512), or raw:N (0-63)\n";

constexpr DWORD PRESS_READ_TIMEOUT_MS = 2000;
constexpr DWORD DEFAULT_FAULT_ERROR = ERROR_GEN_FAILURE;

struct Arguments {
    std::vector<std::string> words;
    DWORD device = 0;

    // The value after `--name`, or `fallback` when the option is absent.
    std::string option(const char* name, const char* fallback) const {
        for (size_t i = 0; i + 1 < words.size(); ++i)
            if (words[i] == name)
                return words[i + 1];
        return fallback;
    }
    bool flag(const char* name) const {
        for (const auto& word : words)
            if (word == name)
                return true;
        return false;
    }
    const char* word(size_t i) const { return i < words.size() ? words[i].c_str() : ""; }
};

bool parseNumber(const std::string& text, DWORD* value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const unsigned long number = std::strtoul(text.c_str(), &end, 0);
    *value = static_cast<DWORD>(number);
    return *end == '\0';
}

int fail(const char* message) {
    std::fprintf(stderr, "remote: %s\n", message);
    return 1;
}

int usage() {
    std::fputs(USAGE, stderr);
    return 2;
}

int keyArgument(const Arguments& args) {
    const int raw = rawCodeOfKey(args.word(1));
    if (raw < 0)
        std::fprintf(stderr, "remote: no key \"%s\"\n", args.word(1));
    return raw;
}

int press(CardDevice& card, const Arguments& args) {
    const int raw = keyArgument(args);
    if (raw < 0)
        return 2;
    if (!card.press(raw, 0, 1))
        return fail("the card refused the key");
    CardState state = {};
    const bool read = waitUntil(
        [&] {
            return card.state(state) &&
                   (state.keyLatches > 0 || state.remoteRegister == CARD_NO_KEY);
        },
        PRESS_READ_TIMEOUT_MS);
    if (!read) {
        card.release();
        return fail("the key was not read within 2 s (is the program polling?); released");
    }
    std::printf("pressed raw code %d (button %d)\n", raw, buttonOfRawCode(raw));
    return 0;
}

int hold(CardDevice& card, const Arguments& args) {
    const int raw = keyArgument(args);
    DWORD ms = 0;
    if (raw < 0 || (args.flag("--ms") && !parseNumber(args.option("--ms", ""), &ms)))
        return 2;
    if (!card.press(raw, ms, 0))
        return fail("the card refused the key");
    if (ms)
        std::printf("holding raw code %d (button %d) for %lu ms\n", raw, buttonOfRawCode(raw), ms);
    else
        std::printf("holding raw code %d (button %d) until release\n", raw, buttonOfRawCode(raw));
    return 0;
}

int release(CardDevice& card, const Arguments&) {
    return card.release() ? 0 : fail("release failed");
}

int fault(CardDevice& card, const Arguments& args) {
    static const struct {
        const char* name;
        DWORD request;
    } KINDS[] = {{"select", CARD_REQUEST_SELECT},
                 {"read-set", CARD_REQUEST_READ_SET},
                 {"get", CARD_REQUEST_READ_GET},
                 {"any", CARD_REQUEST_ANY}};
    DWORD request = 0xFFFFFFFF;
    for (const auto& kind : KINDS)
        if (args.words.size() > 1 && args.words[1] == kind.name)
            request = kind.request;
    DWORD error = DEFAULT_FAULT_ERROR;
    DWORD pendMs = CARD_PEND_HELD;
    const std::string pend = args.option("--pend", "0");
    if (pend == "stuck")
        pendMs = CARD_PEND_STUCK;
    if (request == 0xFFFFFFFF || !parseNumber(args.option("--error", "31"), &error) ||
        (pend != "held" && pend != "stuck" && !parseNumber(pend, &pendMs)))
        return usage();
    return card.fault(request, error, pendMs) ? 0 : fail("the card's fault queue is full");
}

int finish(CardDevice& card, const Arguments&) {
    return card.finishHeld() ? 0 : fail("finish failed");
}

int poke(CardDevice& card, const Arguments& args) {
    DWORD address = 0;
    DWORD value = 0;
    if (!parseNumber(args.word(1), &address) || !parseNumber(args.word(2), &value))
        return usage();
    return card.poke(address, value) ? 0 : fail("poke failed");
}

int reset(CardDevice& card, const Arguments&) {
    return card.reset() ? 0 : fail("reset failed");
}

int state(CardDevice& card, const Arguments&) {
    CardState s = {};
    if (!card.state(s))
        return fail("the card's state cannot be read");
    std::printf(
        "remote register 0x%02lX, key latched %lu times, %lu pending, %lu faults armed, "
        "%lu requests, %lu opens\n",
        static_cast<unsigned long>(s.remoteRegister), static_cast<unsigned long>(s.keyLatches),
        static_cast<unsigned long>(s.pendingRequests), static_cast<unsigned long>(s.faultsArmed),
        static_cast<unsigned long>(s.requestsLogged), static_cast<unsigned long>(s.opens));
    return 0;
}

const char* requestName(const CardLogEntry& entry) {
    if (entry.command == 0x30000001)
        return entry.flags == 2 ? "select" : "select?";
    if (entry.command == 0x30000003)
        return entry.flags == 2 ? "read/set" : entry.flags == 1 ? "read/get" : "read?";
    return "other";
}

int log(CardDevice& card, const Arguments&) {
    CardState s = {};
    if (!card.state(s))
        return fail("the card's log cannot be read");
    const std::vector<CardLogEntry> entries = card.log();
    const double msPerTick = 1000.0 / static_cast<double>(s.frequency);
    for (const CardLogEntry& e : entries) {
        const double at =
            static_cast<double>(e.time - (entries.empty() ? 0 : entries[0].time)) * msPerTick;
        std::printf("%10.3f ms  %-8s flags=%lu cmd=0x%08lX addr=0x%08lX value=0x%08lX -> 0x%08lX "
                    "status=0x%08lX",
                    at, requestName(e), static_cast<unsigned long>(e.flags),
                    static_cast<unsigned long>(e.command), static_cast<unsigned long>(e.address),
                    static_cast<unsigned long>(e.value), static_cast<unsigned long>(e.answer),
                    static_cast<unsigned long>(e.status));
        if (e.completed)
            std::printf("  %.3f ms\n", static_cast<double>(e.completed - e.time) * msPerTick);
        else
            std::printf("  pending\n");
    }
    std::printf("%lu requests since the last reset\n",
                static_cast<unsigned long>(s.requestsLogged));
    return 0;
}

int filterCommand(const Arguments& args) {
    const std::string action = args.word(1);
    std::string problem;
    if (action == "clear")
        return clearVideoInputCategory(&problem) ? 0 : fail(problem.c_str());
    if (action == "list") {
        for (const VideoInputDevice& device : videoInputDevices())
            std::printf("%s  %-32s %s\n", device.clsid.c_str(), device.friendlyName.c_str(),
                        device.cardDevice.c_str());
        return 0;
    }
    if (action != "add" || args.words.size() < 3)
        return usage();
    FilterRegistration filter;
    filter.friendlyName = args.words[2];
    filter.instance = args.option("--instance", "");
    DWORD slot = firstFreeSimFilterSlot();
    if (!parseNumber(args.option("--slot", std::to_string(slot).c_str()), &slot))
        return usage();
    filter.device = args.flag("--none") ? SIM_FILTER_NO_DEVICE : static_cast<int>(args.device);
    filter.slot = slot;
    return registerSimFilter(filter, &problem) ? 0 : fail(problem.c_str());
}

int setup() {
    if (videoInputDevices().empty()) {
        const FilterRegistration filter = {0, "Solvanta QN52X Video Capture", 0, ""};
        std::string problem;
        if (!registerSimFilter(filter, &problem))
            return fail(problem.c_str());
    }
    for (const VideoInputDevice& device : videoInputDevices())
        std::printf("video input device: %s\n", device.friendlyName.c_str());
    return 0;
}

using CardCommand = int (*)(CardDevice&, const Arguments&);
const struct {
    const char* name;
    CardCommand run;
} CARD_COMMANDS[] = {{"press", press}, {"hold", hold},     {"release", release},
                     {"fault", fault}, {"finish", finish}, {"poke", poke},
                     {"reset", reset}, {"state", state},   {"log", log}};

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--device") == 0 && i + 1 < argc) {
            if (!parseNumber(argv[++i], &args.device) || args.device >= CARD_DEVICE_COUNT)
                return usage();
            continue;
        }
        args.words.push_back(argv[i]);
    }
    if (args.words.empty())
        return usage();

    std::string problem;
    if (!ensureCardDriver(&problem))
        return fail(problem.c_str());
    const std::string& command = args.words[0];
    if (command == "end-host")
        return endCardDriverHost(&problem) ? 0 : fail(problem.c_str());
    if (command == "filter" || command == "setup") {
        CoInitialize(nullptr);
        const int result = command == "setup" ? setup() : filterCommand(args);
        CoUninitialize();
        return result;
    }
    for (const auto& entry : CARD_COMMANDS) {
        if (command != entry.name)
            continue;
        CardDevice card(args.device);
        if (!card.isOpen())
            return fail("the card device cannot be opened");
        return entry.run(card, args);
    }
    return usage();
}
