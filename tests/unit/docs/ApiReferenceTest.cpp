// The API reference (docs/api.md) lists exactly the members that the controls' dispatch tables
// have, with their member IDs and kinds, so the reference cannot drift from the code.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "control/TavrinAccess.h"
#include "platform/software/Desktop.h"
#include "tavrin/Tavrin.h"

namespace tavrin {
namespace {

struct Documented {
    int32_t memberId = 0;
    std::set<std::string> kinds; // "method", "get", "let", "set"
};
// control name -> member name -> what the page says
using Reference = std::map<std::string, std::map<std::string, Documented>>;

// Rows of the member tables: | `Name` | `0x68030029` | get, let | ... |, under "## Tavrin: ..." or
// "## XPVScroll: ...".
Reference readReference(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    const std::regex heading(R"(^## (\w+): )");
    const std::regex row(R"(^\| `(\w+)` \| `0x([0-9A-F]{8})` \| ([a-z, ]+) \|)");
    Reference reference;
    std::string control, line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, heading)) control = m[1];
        if (!std::regex_search(line, m, row)) continue;
        Documented& d = reference[control][m[1]];
        d.memberId = static_cast<int32_t>(std::stoul(m[2], nullptr, 16));
        std::istringstream kinds(m[3]);
        for (std::string kind; std::getline(kinds, kind, ',');)
            d.kinds.insert(kind.substr(kind.find_first_not_of(' ')));
    }
    return reference;
}

std::map<std::string, Documented> fromTable(const Dispatchable& object) {
    static const char* const kKinds[] = {"method", "get", "let", "set"};
    std::map<std::string, Documented> members;
    for (const MemberEntry& e : object.dispatchTable().entries()) {
        Documented& d = members[e.name];
        d.memberId = e.memberId;
        d.kinds.insert(kKinds[static_cast<int>(e.kind)]);
    }
    return members;
}

void expectSame(const std::map<std::string, Documented>& code, const std::map<std::string, Documented>& page,
                const std::string& control) {
    for (const auto& [name, member] : code) {
        SCOPED_TRACE(control + "." + name);
        auto it = page.find(name);
        if (it == page.end()) {
            ADD_FAILURE() << "not in docs/api.md";
            continue;
        }
        EXPECT_EQ(it->second.memberId, member.memberId);
        EXPECT_EQ(it->second.kinds, member.kinds);
    }
    for (const auto& [name, member] : page) {
        if (!code.count(name)) ADD_FAILURE() << control << "." << name << " is documented but no member";
    }
}

TEST(ApiReference, ListsEveryMemberOfBothControlsWithItsIdAndKinds) {
    const Reference reference = readReference(std::string(TAVRIN_DOCS_DIR) + "/api.md");
    software::Desktop desktop;
    auto site = desktop.createControlSite(u"Tavrin", 200, 160);
    Tavrin list(*site);
    list.InitProperties();
    ASSERT_TRUE(reference.count("Tavrin") && reference.count("XPVScroll"));
    expectSame(fromTable(list), reference.at("Tavrin"), "Tavrin");
    expectSame(fromTable(TavrinAccess::sbUC(list)), reference.at("XPVScroll"), "XPVScroll");
    list.Terminate();
}

} // namespace
} // namespace tavrin
