// Saving and loading the list's design-time settings in the host's property bag.
//
// Items, the selection, ListIndex and TopIndex are not stored: a loaded list is always empty.
// The keys, their defaults and where each value goes are the property table's
// (ListPropertyTable.cpp): saving writes its rows in order, each with its default; loading reads
// them in their read order straight into the fields (only Theme goes through its let), validates
// nothing, reads ItemHeight last so the loaded font decides its minimum, and resolves the colours
// at the end. A failing read or write goes to the host and ends the notification there.
#include <algorithm>

#include "control/ListPropertyTable.h"
#include "control/SelectionMenuEntries.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

constexpr std::u16string_view kSampleText = u"TextHeight";

// The saved rows in the order ReadProperties reads them.
std::vector<const Tavrin::PropertyRow*> rowsInReadOrder(const std::vector<Tavrin::PropertyRow>& table) {
    std::vector<const Tavrin::PropertyRow*> rows;
    for (const Tavrin::PropertyRow& row : table)
        if (row.saved()) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->readOrder < b->readOrder; });
    return rows;
}

} // namespace

// The default a row is written and read with; the font's is the container's ambient font.
Variant Tavrin::savedDefault(const PropertyRow& row) const {
    return row.type == PropertyType::Font ? fontDefault() : row.defaultValue;
}

Variant Tavrin::fontDefault() const {
    return Variant::object(site_.AmbientFont());
}

void Tavrin::WriteProperties(PropertyBag& bag) {
    for (const PropertyRow& row : propertyTable())
        if (row.saved())
            bag.WriteProperty(row.name, row.save ? row.save(*this) : row.get(*this), savedDefault(row));
}

void Tavrin::ReadProperties(const PropertyBag& bag) {
    static const std::vector<const PropertyRow*> readOrder = rowsInReadOrder(propertyTable());
    for (const PropertyRow* row : readOrder) {
        const Variant value = bag.ReadProperty(row->name, savedDefault(*row));
        row->store(*this, value);
        if (row->afterLoad) row->afterLoad(*this, value);
    }
    if (SelectMode_ == SelectModeCts::Multiple) enableMenuActions(*SelectionMenu_, true);
    ListIndex_ = -1;
    ResolveColors();
}

// A stored row height below the loaded font's text height is raised to it; the value is compared
// as a single, as the host reads it.
int16_t Tavrin::loadedItemHeight(const std::u16string& storedHeight) {
    const double textHeight = iUC_->TextHeight(kSampleText);
    if (toR4(Variant::string(storedHeight)) < textHeight) return roundToI2(textHeight);
    return toI2(Variant::string(storedHeight));
}

// The picture of the required-field mark; any failure leaves the former picture.
void Tavrin::LoadRequiredPicture() {
    try {
        p_RequiredPicture = services().pictureStore().GetPicture(u"REQUIREDFIELD");
    } catch (const std::exception&) {
    }
}

} // namespace tavrin
