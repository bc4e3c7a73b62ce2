// Form files: every kind of value survives a save and a load; bad files and failed saves change
// nothing and say which file is wrong.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/software/FormFile.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Picture.h"

using namespace tavrin;
using namespace tavrin::software;
using namespace tavrin::platform;
namespace fs = std::filesystem;

namespace {

class FormFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tavrin-forms-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(path(name)) << text; }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir_;
};

FormData sampleForm() {
    FormData form{"Tavrin", "lstFruit", 200, 160, {}};
    FontDesc desc;
    desc.name = u"DejaVu Serif";
    desc.size = 9.75;
    desc.bold = true;
    desc.weight = 700;
    desc.italic = true;
    desc.underline = true;
    desc.strikethrough = true;
    desc.charset = 2;
    std::vector<uint32_t> px = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0x000000};
    auto picture = std::make_shared<Picture>(3, 2, px);
    picture->setTransparentColor(0xFF00FF);
    form.bag.set("LeftMargin", Variant::i2(5));
    form.bag.set("BackNormal", Variant::i4(-2147483643));
    form.bag.set("Max", Variant::r8(100));
    form.bag.set("Value", Variant::r8(-2.5));
    form.bag.set("Ratio", Variant::r4(0.1f));
    form.bag.set("WordWrap", Variant::boolean(false));
    form.bag.set("dFormat", Variant::string("0.0 \"°\" Grüße"));
    form.bag.set("Font", Variant::object(std::make_shared<StdFont>(desc)));
    form.bag.set("SelectionPicture", Variant::object(picture));
    form.bag.set("MouseIcon", Variant::object(nullptr));
    return form;
}

} // namespace

TEST_F(FormFiles, EveryKindOfValueSurvivesASaveAndALoad) {
    const FormData original = sampleForm();
    saveForm(path("form.json"), original);
    EXPECT_FALSE(fs::exists(path("form.json.tmp")));
    const std::string text = read("form.json");
    EXPECT_NE(text.find("\"Max\": 100.0"), std::string::npos); // a real stays a real
    // a font is written as a plain object of its attributes
    const size_t fontAt = text.find("\"Font\": {");
    ASSERT_NE(fontAt, std::string::npos);
    EXPECT_LT(text.find("\"Name\": \"DejaVu Serif\"", fontAt), text.find("\"Font\"", fontAt + 1));

    const FormData loaded = loadForm(path("form.json"));
    EXPECT_EQ(loaded.type, "Tavrin");
    EXPECT_EQ(loaded.name, "lstFruit");
    EXPECT_EQ(loaded.width, 200);
    EXPECT_EQ(loaded.height, 160);
    const PropertyBag& bag = loaded.bag;
    EXPECT_EQ(bag.size(), original.bag.size());
    EXPECT_EQ(bag.ReadProperty("leftmargin", {}), Variant::i4(5)); // integers come back as I4
    EXPECT_EQ(bag.ReadProperty("BackNormal", {}), Variant::i4(-2147483643));
    EXPECT_EQ(bag.ReadProperty("Max", {}), Variant::r8(100));
    EXPECT_EQ(bag.ReadProperty("Value", {}), Variant::r8(-2.5));
    EXPECT_EQ(toR4(bag.ReadProperty("Ratio", {})), 0.1f);
    EXPECT_EQ(bag.ReadProperty("WordWrap", {}), Variant::boolean(false));
    EXPECT_EQ(bag.ReadProperty("dFormat", {}), Variant::string("0.0 \"°\" Grüße"));
    EXPECT_EQ(bag.ReadProperty("MouseIcon", Variant::i2(1)), Variant::object(nullptr));

    auto font = std::dynamic_pointer_cast<StdFont>(bag.ReadProperty("Font", {}).asObject());
    ASSERT_TRUE(font);
    auto originalFont = std::dynamic_pointer_cast<StdFont>(original.bag.ReadProperty("Font", {}).asObject());
    EXPECT_EQ(font->desc(), originalFont->desc());

    auto picture = std::dynamic_pointer_cast<Picture>(bag.ReadProperty("SelectionPicture", {}).asObject());
    ASSERT_TRUE(picture);
    auto originalPicture =
        std::dynamic_pointer_cast<Picture>(original.bag.ReadProperty("SelectionPicture", {}).asObject());
    EXPECT_EQ(picture->width(), 3);
    EXPECT_EQ(picture->pixels(), originalPicture->pixels());
    EXPECT_EQ(picture->transparentColor(), 0xFF00FF);
    EXPECT_NE(picture->handle(), originalPicture->handle());
}

TEST_F(FormFiles, PlainAndWrappedFontsAndPicturesLoadAlike) {
    const PropertyBag bag = parseBag(R"({"Plain": {"Name": "DejaVu Serif", "Size": 9, "Italic": true},
        "Wrapped": {"Font": {"Name": "DejaVu Serif", "Size": 9, "Italic": true}},
        "PlainPicture": {"png": "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg=="}})",
                                     "inline bag");
    auto plain = std::dynamic_pointer_cast<StdFont>(bag.ReadProperty("Plain", {}).asObject());
    auto wrapped = std::dynamic_pointer_cast<StdFont>(bag.ReadProperty("Wrapped", {}).asObject());
    ASSERT_TRUE(plain && wrapped);
    EXPECT_EQ(plain->desc(), wrapped->desc());
    EXPECT_TRUE(plain->Italic());
    auto picture = std::dynamic_pointer_cast<Picture>(bag.ReadProperty("PlainPicture", {}).asObject());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 1);
}

TEST_F(FormFiles, InlineBagsAndFontsWithoutOptionalAttributes) {
    const PropertyBag bag = parseBag(
        R"({"SelectMode": 1, "ItemHeight": 30.5, "Font": {"Font": {"Name": "X", "Size": 10, "Weight": 800}}})",
        "inline bag");
    EXPECT_EQ(bag.ReadProperty("selectmode", {}), Variant::i4(1));
    EXPECT_EQ(bag.ReadProperty("ItemHeight", {}), Variant::r8(30.5));
    auto font = std::dynamic_pointer_cast<StdFont>(bag.ReadProperty("Font", {}).asObject());
    ASSERT_TRUE(font);
    EXPECT_TRUE(font->Bold()); // Bold follows a stored Weight
    EXPECT_EQ(parseBag("{}", "inline bag").size(), 0u);
}

TEST_F(FormFiles, BadFilesAreRejectedNamingTheFileAndTheFault) {
    const std::string head = R"({"type": "Tavrin", "name": "T", "width": 10, "height": 10, "properties": )";
    struct Case {
        std::string text;
        const char* fault;
    };
    const Case cases[] = {
        {"{\"type\": ", "not valid JSON"},
        {"hello", "line 1"},
        {"[1, 2]", "must be a JSON object"},
        {R"({"name": "T", "width": 1, "height": 1, "properties": {}})", "missing \"type\""},
        {R"({"type": 5, "name": "T", "width": 1, "height": 1, "properties": {}})", "\"type\" must be a text"},
        {R"({"type": "Tavrin", "name": "T", "width": -1, "height": 1, "properties": {}})", "\"width\""},
        {R"({"type": "Tavrin", "name": "T", "width": 1, "height": "1", "properties": {}})", "\"height\""},
        {R"({"type": "Tavrin", "name": "T", "width": 1, "height": 1})", "missing \"properties\""},
        {head + "[]}", "properties must be a JSON object"},
        {head + R"({"Max": [1]}})", "\"Max\": a value of kind array is not allowed"},
        {head + R"({"Max": 4294967296}})", "integer out of range"},
        {head + R"({"Max": 1, "max": 2}})", "appears twice"},
        {head + R"({"Max": 1, "Max": 2}})", "\"Max\" appears twice"},
        {R"({"type": "Tavrin", "type": "Tavrin", "name": "T", "width": 1, "height": 1, "properties": {}})",
         "\"type\" appears twice"},
        {head + R"({"Icon": {"Sound": 1}}})", "must be a font"},
        {head + R"({"Font": {"Name": "X"}}})", "\"Size\" must be a number"},
        {head + R"({"Font": {"Name": "X", "Size": 8, "Weight": 1e9}}})", "\"Weight\""},
        {head + R"({"Font": {"Font": {"Size": 8}}}})", "\"Name\""},
        {head + R"({"Font": {"Font": {"Name": "X", "Size": 0}}}})", "\"Size\" out of range"},
        {head + R"({"Font": {"Font": {"Name": "X", "Size": 8, "Bold": 1}}}})", "\"Bold\""},
        {head + R"({"Font": {"Font": {"Name": "X", "Size": 8, "Colour": 1}}}})", "unknown font attribute"},
        {head + R"({"Pic": {"Picture": {"png": "!!!!"}}}})", "not base64"},
        {head + R"({"Pic": {"Picture": {"png": "AAAA"}}}})", "picture data"},
        {head + R"({"Pic": {"Picture": {}}}})", "\"png\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        write("bad.json", c.text);
        FormData kept = sampleForm();
        try {
            kept = loadForm(path("bad.json"));
            ADD_FAILURE() << "accepted";
        } catch (const FormFileError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(path("bad.json"), 0), 0u) << message;
            EXPECT_NE(message.find(c.fault), std::string::npos) << message;
        }
        EXPECT_EQ(kept.name, "lstFruit"); // nothing was assigned
        EXPECT_EQ(kept.bag.size(), sampleForm().bag.size());
    }
}

TEST_F(FormFiles, MissingFilesAndDirectoriesAreNotForms) {
    for (const std::string& name : {std::string("absent.json"), std::string("")}) {
        try {
            loadForm(path(name));
            ADD_FAILURE() << "accepted " << name;
        } catch (const FormFileError& e) {
            EXPECT_NE(std::string(e.what()).find(path(name)), std::string::npos) << e.what();
        }
    }
}

TEST_F(FormFiles, AFailedSaveLeavesTheOldFileIntact) {
    saveForm(path("form.json"), sampleForm());
    const std::string before = read("form.json");
    fs::permissions(path("form.json"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // (as the system keeps them: Windows has only a read-only flag)
    const fs::perms permissions = fs::status(path("form.json")).permissions() & fs::perms::all;

    // Names another saver might use are taken by a file, a folder and a link to a victim: the
    // save makes a fresh name of its own, follows no link and leaves all of them as they were.
    write("victim", "victim");
    write("form.json.tmp", "someone else's");
    fs::create_directory(path(".form.json.tmp"));
    std::error_code noLinks; // where links take a privilege (Windows), a plain file takes the name
    fs::create_symlink(path("victim"), path("form.json.new"), noLinks);
    if (noLinks) write("form.json.new", "someone else's");
    FormData changed = sampleForm();
    changed.name = "other";
    saveForm(path("form.json"), changed);
    EXPECT_NE(read("form.json"), before);
    EXPECT_EQ(read("victim"), "victim");
    EXPECT_EQ(read("form.json.tmp"), "someone else's");
    EXPECT_TRUE(fs::is_directory(path(".form.json.tmp")));
    // The replaced file keeps its permissions.
    EXPECT_EQ(fs::status(path("form.json")).permissions() & fs::perms::all, permissions);
    const std::string saved = read("form.json");

    // a value a form cannot keep fails before any file is touched
    changed.bag.set("Broken", Variant());
    try {
        saveForm(path("form.json"), changed);
        ADD_FAILURE() << "saved";
    } catch (const FormFileError& e) {
        EXPECT_NE(std::string(e.what()).find("\"Broken\""), std::string::npos) << e.what();
    }
    EXPECT_EQ(read("form.json"), saved);

    // A folder in the target's place is not replaced, and the message says why.
    fs::create_directory(path("folder.json"));
    try {
        saveForm(path("folder.json"), sampleForm());
        ADD_FAILURE() << "saved over a folder";
    } catch (const FormFileError& e) {
        EXPECT_NE(std::string(e.what()).find("folder"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(path("folder.json")));
    // Nothing of ours is left behind: only the names made above remain.
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 6u);
}

TEST_F(FormFiles, ASaveIntoAFolderThatCannotBeWrittenSaysWhyAndChangesNothing) {
    saveForm(path("form.json"), sampleForm());
    const std::string before = read("form.json");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    const bool privileged = ::access(dir_.string().c_str(), W_OK) == 0; // root writes anyway
    if (!privileged) {
        FormData changed = sampleForm();
        changed.name = "other";
        try {
            saveForm(path("form.json"), changed);
            ADD_FAILURE() << "saved into a read-only folder";
        } catch (const FormFileError& e) {
            EXPECT_NE(std::string(e.what()).find("Permission denied"), std::string::npos) << e.what();
        }
        EXPECT_EQ(read("form.json"), before);
    }
    fs::permissions(dir_, fs::perms::owner_all);
    // A file system nobody may write, root included.
    if (fs::exists("/proc/self/comm")) {
        EXPECT_THROW(saveForm("/proc/self/comm", sampleForm()), FormFileError);
    }
}

TEST_F(FormFiles, ReadingRefusesWhatIsNoPlainFileOrTooLargeBeforeReadingIt) {
    fs::create_directory(path("folder.json"));
    EXPECT_THROW(loadForm(path("folder.json")), FormFileError);
    if (fs::exists("/dev/zero")) {
        EXPECT_THROW(loadForm("/dev/zero"), FormFileError);
    }
    {
        std::ofstream big(path("big.json"));
        big.seekp(64LL * 1024 * 1024);
        big << ' ';
    }
    try {
        loadForm(path("big.json"));
        ADD_FAILURE() << "read a 64 MB form";
    } catch (const FormFileError& e) {
        EXPECT_NE(std::string(e.what()).find("bytes"), std::string::npos) << e.what();
    }
}

TEST(FormText, DuplicateKeysNumbersBeyondADoubleAndDeepNestingAreRefused) {
    for (const char* bad :
         {R"({"SelectMode": 1, "SelectMode": 0})", R"({"SelectMode": 1, "selectMODE": 0})",
          R"({"Max": 1e400})", R"({"Font": {"Font": {"Name": "a", "Name": "b", "Size": 8}}})"}) {
        EXPECT_THROW(parseBag(bad, "bag"), FormFileError) << bad;
    }
    std::string deep = "{\"A\": ";
    for (int i = 0; i < 100000; ++i)
        deep += "[";
    EXPECT_THROW(parseBag(deep, "bag"), FormFileError);
    EXPECT_THROW(parseForm(R"({"type": "Tavrin", "name": "a", "name": "b", "width": 1, "height": 1,
                               "properties": {}})",
                           "form"),
                 FormFileError);
    // Extents a window system cannot have.
    EXPECT_THROW(parseForm(R"({"type": "Tavrin", "name": "a", "width": 100000, "height": 100000,
                               "properties": {}})",
                           "form"),
                 FormFileError);
}

TEST_F(FormFiles, SavingOverADirectoryOrIntoAMissingOneFails) {
    fs::create_directory(path("taken"));
    fs::create_directory(path("taken/inside"));
    EXPECT_THROW(saveForm(path("taken"), sampleForm()), FormFileError);
    EXPECT_TRUE(fs::is_directory(path("taken/inside")));
    EXPECT_FALSE(fs::exists(path("taken.tmp")));
    EXPECT_THROW(saveForm(path("nowhere/form.json"), sampleForm()), FormFileError);
}
