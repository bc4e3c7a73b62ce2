// A scroll bar on the fake host, loaded at run time so that it receives window messages.
//
// The standard layout: 3000 twips high, Max 200, LargeChange 49, Value 50. That makes a thumb of
// 1090 twips (490 from the range plus a fifth of the height) whose top is 255 + 7 x Value: 605 to
// 1695 at Value 50. The down button starts at 2745.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FakeHost.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::test {

class BarTest : public ::testing::Test {
  protected:
    FakeHost host;
    XPVScroll bar{host};

    void load(const platform::PropertyBag& bag = {}) { bar.ReadProperties(bag); }

    void standardLayout() {
        load();
        bar.SetMax(200);
        bar.SetLargeChange(49);
        bar.SetValue(50);
        clearLogs();
    }

    void clearLogs() {
        host.events.clear();
        host.changed.clear();
        host.messageBoxes.clear();
    }

    Variant field(const char* name) const {
        Variant v;
        EXPECT_TRUE(bar.readPrivate(name, v)) << name;
        return v;
    }
    double num(const char* name) const { return toR8(field(name)); }
    bool flag(const char* name) const { return field(name).asBool(); }
    std::string text(const char* name) const { return toUtf8Text(field(name)); }

    std::vector<std::string> paintedKeys() const {
        std::vector<std::string> keys;
        for (const auto& call : host.uc.paints)
            keys.push_back(utf8(call.key));
        return keys;
    }
};

} // namespace tavrin::test
