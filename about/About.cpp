// The about box: a fixed modal dialog with a background picture, the control's name and version, a
// notice, a web address and a support address, and one button that closes it. Loaded afresh and
// centred on the screen each time About is called.
#include "about/AboutPicture.h"
#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

constexpr double kClientWidthTwips = 5580, kClientHeightTwips = 3765;

struct Label {
    const char16_t* text;
    double left, top, width, height; // twips
};

constexpr Label kLabels[] = {
    {u"Tavrin list box, version 1.1", 1935, 1710, 1830, 195},
    {u"Free to use in your own programs.", 1410, 1950, 2850, 195},
    {u"URL:", 870, 2925, 405, 195},
    {u"www.tavrin-controls.net", 1335, 2925, 2145, 195},
    {u"Support:", 870, 3255, 750, 195},
    {u"help@tavrin-controls.net", 1665, 3255, 1920, 195},
};

// The screen difference in whole twips, halved by integer division: the form's place on the screen.
double centred(double screenTwips, double formTwips) {
    return static_cast<double>(roundToI4(screenTwips - formTwips) / 2);
}

// The background picture from the top-left corner, then the labels over it.
void drawContents(Form& form, double twipsPerPixel) {
    DrawingSurface& surface = form.surface();
    // The picture is drawn for the screen's density: 15 twips per pixel is 96 dots per inch.
    const std::shared_ptr<Picture> background = about::backgroundPicture(15.0 / twipsPerPixel);
    surface.PaintPicture(background.get(), 0, 0);
    surface.SetFont(FontDesc{u"Verdana", 8.25});
    for (const Label& label : kLabels) {
        surface.SetCurrentX(label.left / twipsPerPixel);
        surface.SetCurrentY(label.top / twipsPerPixel);
        surface.Print(label.text);
    }
}

} // namespace

void Tavrin::About() {
    Services& host = services();
    std::unique_ptr<Form> frmAbout = host.createForm(kClientWidthTwips, kClientHeightTwips, u"About Tavrin");
    Form* form = frmAbout.get();
    // Form_Load: centre the form on the screen.
    form->Move(centred(host.screen().Width(), form->Width()),
               centred(host.screen().Height(), form->Height()));
    drawContents(*form, host.screen().TwipsPerPixelX());
    form->addButton({u"Close", 4380, 3015, 1095, 435, [form] { form->Unload(); }});
    form->ShowModal();
}

} // namespace tavrin
