#include "card_fixture.h"

#include <cstdio>

std::string requestLine(DWORD flags, DWORD command, DWORD address, DWORD value, DWORD status) {
    char line[160];
    std::snprintf(line, sizeof line, "%s 0x%08lX addr=0x%08lX value=0x%08lX",
                  flags == SET   ? "set"
                  : flags == GET ? "get"
                                 : "flags?",
                  command, address, value);
    std::string text = line;
    if (status != 0) {
        std::snprintf(line, sizeof line, " status=0x%08lX", status);
        text += line;
    }
    return text;
}

void CardFixture::SetUp() {
    std::string problem;
    ASSERT_TRUE(clearVideoInputCategory(&problem)) << problem;
    for (DWORD i = 0; i < CARD_DEVICE_COUNT; ++i) {
        cards.emplace_back(new CardDevice(i));
        ASSERT_TRUE(cards.back()->reset()) << "card device " << i << " does not answer";
    }
    watcher.reset(new MessageBoxWatcher());
}

void CardFixture::TearDown() {
    if (device.isOpen())
        device.reopenAtNextRead();
    watcher.reset();
    for (auto& card : cards)
        card->reset();
}

void CardFixture::registerFilters(const std::vector<FilterRegistration>& filters) {
    for (const FilterRegistration& filter : filters) {
        std::string problem;
        ASSERT_TRUE(registerSimFilter(filter, &problem)) << filter.friendlyName << ": " << problem;
    }
}

std::vector<std::string> CardFixture::requests(DWORD index) {
    std::vector<std::string> lines;
    for (const CardLogEntry& entry : card(index).log()) {
        EXPECT_TRUE(entry.setMatches && entry.propertyId == 6 && entry.inputLength == 40 &&
                    entry.outputLength == 40)
            << "not a 40-byte request of the register property: id " << entry.propertyId
            << ", lengths " << entry.inputLength << "/" << entry.outputLength;
        lines.push_back(
            requestLine(entry.flags, entry.command, entry.address, entry.value, entry.status));
    }
    return lines;
}
