// In-place editing of the current item's text.
//
// StartEdit lays the borderless edit box over the current row, styled like the row, with the whole
// text selected, and turns the control's key preview off so the keys typed there stay in the box.
// Enter (and Ctrl+Enter without word wrap) stores the text and closes; Escape, a loss of focus, a
// ListIndex let or a scroll by the user closes and discards. Nothing here raises an event or calls
// PropertyChanged, and closing repaints nothing: the row under the box is simply uncovered.
#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {
constexpr int16_t kEnter = 13, kCtrlEnter = 10, kEscape = 27;

// The box's own alignment codes: 0 left, 1 right, 2 centre.
int16_t boxAlignment(AlignmentCts listAlignment, int16_t current) {
    switch (listAlignment) {
    case AlignmentCts::AlignLeft:
        return 0;
    case AlignmentCts::AlignCenter:
        return 2;
    case AlignmentCts::AlignRight:
        return 1;
    default:
        return current;
    }
}
} // namespace

void Tavrin::StartEdit() {
    const int16_t textOffset = rowLeft();
    if (ListIndex_ == -1) return;
    userControl().SetKeyPreview(false);
    txtEdit_->SetFont(p_Font->desc());

    const bool selectedLook = p_Selected[ListIndex_] && SelectModeStyle_ != SelectModeStyleCts::Underline;
    txtEdit_->SetBackColor(selectedLook ? p_BackSelectedRGB : p_BackNormalRGB);
    txtEdit_->SetForeColor(selectedLook ? p_FontSelectedRGB : p_FontNormalRGB);

    const double rowTop = (static_cast<double>(ListIndex_) - topRow()) * p_RowHeight;
    const double width = static_cast<double>(p_RowRect.right) - 2.0 * ItemOffset_ - ItemTextLeft_;
    if (WordWrap_) {
        txtEdit_->SetAlignment(boxAlignment(Alignment_, txtEdit_->Alignment()));
        txtEdit_->Move(static_cast<double>(ItemOffset_) + ItemTextLeft_ + textOffset, rowTop + ItemOffset_,
                       width, static_cast<double>(p_RowHeight) - 2.0 * ItemOffset_);
    } else {
        // One line's height, centred in the row.
        txtEdit_->SetAlignment(0);
        double lineHeight = iUC_->TextHeight(u"");
        txtEdit_->Move(static_cast<double>(ItemTextLeft_) + ItemOffset_ + textOffset,
                       rowTop + (p_RowHeight - lineHeight) * 0.5, width, lineHeight);
    }

    const std::u16string text = p_Items[ListIndex_].Text.str();
    txtEdit_->SetText(text);
    txtEdit_->SetSelStart(0);
    txtEdit_->SetSelLength(static_cast<int32_t>(text.size()));
    txtEdit_->SetVisible(true);
    txtEdit_->SetFocus();
}

// EndEdit(True) with no edit open stores nothing: there is no typed text to keep.
void Tavrin::EndEdit(bool modify) {
    if (modify) {
        if (!txtEdit_->Visible()) return;
        int16_t key = kEnter;
        txtEdit_KeyPress(key);
    } else {
        txtEdit_LostFocus();
    }
}

void Tavrin::txtEdit_KeyPress(int16_t& keyAscii) {
    const bool stores = keyAscii == kEnter || (!WordWrap_ && keyAscii == kCtrlEnter);
    if (stores) {
        if (ListIndex_ >= 0 && ListIndex_ < ListCount()) p_Items[ListIndex_].Text = txtEdit_->Text();
        txtEdit_LostFocus();
    }
    if (keyAscii == kEscape) txtEdit_LostFocus();
}

void Tavrin::txtEdit_LostFocus() {
    txtEdit_->SetVisible(false);
    userControl().SetKeyPreview(true);
}

} // namespace tavrin
