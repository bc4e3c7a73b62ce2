// The errors that docs/form-files.md promises for bad files are the ones a load gives, word for
// word: each bad text below is rejected with exactly the message the page shows for it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/software/FormFile.h"

namespace tavrin::software {
namespace {

std::string readPage(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FormFilesPage, ShowsTheErrorsABadFileGetsWordForWord) {
    const std::string page = readPage(std::string(TAVRIN_DOCS_DIR) + "/form-files.md");
    ASSERT_FALSE(page.empty());
    const std::string head = R"({"type": "Tavrin", "name": "T", "width": 10, "height": 10, "properties": )";
    struct Case {
        std::string text, message;
    };
    const Case cases[] = {
        {"[1, 2]", "FILE: a form must be a JSON object"},
        {R"({"name": "T", "width": 1, "height": 1, "properties": {}})", "FILE: missing \"type\""},
        {R"({"type": 5, "name": "T", "width": 1, "height": 1, "properties": {}})",
         "FILE: \"type\" must be a text"},
        {R"({"type": "Tavrin", "name": "T", "width": -1, "height": 1, "properties": {}})",
         "FILE: \"width\" must be a whole number of pixels"},
        {head + "[]}", "FILE: the properties must be a JSON object"},
        {head + R"({"Max": 1, "max": 2}})", "FILE: property \"max\" appears twice (keys ignore case)"},
        {head + R"({"Max": [1]}})", "FILE: property \"Max\": a value of kind array is not allowed"},
        {head + R"({"Max": 4294967296}})", "FILE: property \"Max\": integer out of range"},
        {head + R"({"Icon": {"Sound": 1}}})", "FILE: property \"Icon\": an object value must be a font "
                                              "(\"Name\", \"Size\", ...) or a picture (\"png\")"},
        {head + R"({"Font": {"Size": 8}}})", "FILE: property \"Font\": font \"Name\" must be a text"},
        {head + R"({"Font": {"Name": "X", "Size": 0}}})",
         "FILE: property \"Font\": font \"Size\" out of range"},
        {head + R"({"Font": {"Name": "X", "Size": 8, "Bold": 1}}})",
         "FILE: property \"Font\": font \"Bold\" must be true or false"},
        {head + R"({"MouseIcon": {"Picture": {}}}})",
         "FILE: property \"MouseIcon\": a picture must be an object with the text \"png\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NE(page.find("`" + c.message + "`"), std::string::npos) << "not on the page: " << c.message;
        try {
            parseForm(c.text, "FILE");
            ADD_FAILURE() << "accepted";
        } catch (const FormFileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

} // namespace
} // namespace tavrin::software
