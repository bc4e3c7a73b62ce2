// A list placed on the headless desktop the way a form host places a new one: created, given its
// defaults, sized and painted. PropertyChanged calls are recorded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "control/TavrinAccess.h"
#include "platform/software/Desktop.h"
#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::testing {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

struct ListOnForm {
    software::Desktop desk;
    std::unique_ptr<software::SoftwareSite> site;
    std::unique_ptr<Tavrin> list;
    std::vector<std::string> changed;

    int32_t width, height; // the client size the host gave

    explicit ListOnForm(int32_t w = 200, int32_t h = 160, bool userMode = true) : width(w), height(h) {
        desk.ambient().userMode = userMode;
        site = desk.createControlSite(u"Tavrin", width, height);
        site->onPropertyChanged = [this](std::string_view name) { changed.emplace_back(name); };
        list = std::make_unique<Tavrin>(*site);
        list->InitProperties();
        site->resizeClient(width, height);
        desk.flushPaints();
        changed.clear();
    }
    ~ListOnForm() {
        if (list) list->Terminate();
    }

    Tavrin& operator*() { return *list; }
    Tavrin* operator->() { return list.get(); }

    // Fixed rows of `rowHeight` pixels in the size the host gave (the first layout made the control
    // whole rows of the font's height), then `count` items named "Item 0", "Item 1", ...
    void fill(int16_t count, int16_t rowHeight = 20) {
        list->SetItemHeightAuto(false);
        list->SetItemHeight(rowHeight);
        site->resizeClient(width, height);
        for (int16_t i = 0; i < count; ++i)
            list->AddItem(Variant::string("Item " + std::to_string(i)));
        desk.flushPaints();
        changed.clear();
    }
    double rowRectRight() {
        std::istringstream parts(field("p_RowRect"));
        double left, top, right;
        parts >> left >> top >> right;
        return right;
    }
    uint32_t pixel(int32_t x, int32_t y) { return TavrinAccess::iUC(*list).Point(x, y); }
    // A private field as the script host prints it ("L T R B" for a rectangle).
    std::string field(std::string_view name) {
        Variant value;
        EXPECT_TRUE(list->readPrivate(name, value)) << name;
        return toUtf8Text(value);
    }
    int32_t scaleWidth() { return static_cast<int32_t>(site->UserControl().ScaleWidth()); }
};

} // namespace tavrin::testing
