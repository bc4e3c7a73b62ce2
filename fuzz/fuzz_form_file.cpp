// Form files: the whole form, an inline bag, base64 and the PNG inside a picture value. The first
// byte chooses the reader. Oracles: no sanitizer report, no exception other than FormFileError,
// and a form that reads also loads into a control (errors only as automation errors) and saves.
#include <cstdint>
#include <string_view>

#include "platform/software/Desktop.h"
#include "platform/software/FormFile.h"
#include "platform/software/FormValues.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"

using namespace tavrin;

namespace {

void loadAndSave(const software::FormData& form) {
    software::Desktop desktop;
    auto site = desktop.createControlSite(form.type == "XPVScroll" ? u"XPVScroll" : u"Tavrin", 200, 160);
    try {
        software::FormData saved = form;
        saved.bag.clear();
        if (form.type == "XPVScroll") {
            XPVScroll bar(*site);
            bar.ReadProperties(form.bag);
            bar.WriteProperties(saved.bag);
            bar.Terminate();
        } else {
            Tavrin list(*site);
            list.ReadProperties(form.bag);
            site->resizeClient(200, 160);
            desktop.flushPaints();
            list.WriteProperties(saved.bag);
            list.Terminate();
        }
        (void)software::formToJson(saved);
    } catch (const AutomationError&) {
    } catch (const software::FormFileError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        switch (data[0] % 4) {
        case 0:
            loadAndSave(software::parseForm(text, "fuzz"));
            break;
        case 1: {
            software::FormData form;
            form.type = "Tavrin";
            form.bag = software::parseBag(text, "fuzz");
            loadAndSave(form);
            break;
        }
        case 2: {
            // Decoding and encoding again gives the same bytes.
            auto bytes = software::formvalues::decodeBase64(text);
            if (bytes) {
                auto again = software::formvalues::decodeBase64(software::formvalues::encodeBase64(*bytes));
                if (!again || *again != *bytes) __builtin_trap();
            }
            break;
        }
        default: {
            std::vector<uint8_t> png(text.begin(), text.end());
            std::string bag = "{\"SelectionPicture\": {\"Picture\": {\"png\": \"" +
                              software::formvalues::encodeBase64(png) + "\"}}}";
            software::FormData form;
            form.type = "Tavrin";
            form.bag = software::parseBag(bag, "fuzz");
            loadAndSave(form);
            break;
        }
        }
    } catch (const software::FormFileError&) {
    }
    return 0;
}
