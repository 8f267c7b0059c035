// Files that are not what they seem, options without a value, long scripts and long report lines.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "base/data_file.h"
#include "base/json_writer.h"
#include "graphics/bitmap_file.h"
#include "run_game.h"
#include "app/input_script.h"
#include "app/options.h"

namespace fs = std::filesystem;

TEST(DataFile, ADirectoryADeviceAndAnOversizedFileAreRefusedWithoutThrowing) {
    TempDir dir;
    std::vector<uint8_t> bytes;
    std::string fault;
    EXPECT_FALSE(read_data_file(dir.path.c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_EQ(fault, "is a directory, not a file");
    EXPECT_FALSE(read_data_file("/dev/zero", DataKind::Bitmap, &bytes, &fault));
    EXPECT_EQ(fault, "is not a regular file");
    // A sparse file one byte over the limit is refused before a byte of it is read.
    const std::string big = dir.file("big.BMP");
    write_text(big, "");
    fs::resize_file(big, data_limit(DataKind::Bitmap).max_bytes + 1);
    EXPECT_FALSE(read_data_file(big.c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_NE(fault.find(std::to_string(data_limit(DataKind::Bitmap).max_bytes + 1) + " bytes"), std::string::npos) << fault;
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_data_file(dir.file("gone.BMP").c_str(), DataKind::Bitmap, &bytes, &fault));
    EXPECT_NE(fault.find("cannot open"), std::string::npos) << fault;

    BitmapFile bitmap;
    EXPECT_EQ(load_bitmap_file(&bitmap, dir.path.c_str()), 0);
    EXPECT_TRUE(bitmap.buffer.empty());
}

TEST(InputScript, KeysAreFoundWhetherFramesRiseOrGoBack) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script("2 up\n0 down\n3 a\n1 -\n", script, error));
    const unsigned expected[] = {0, SCRIPT_KEY_UP, SCRIPT_KEY_UP, SCRIPT_KEY_A, SCRIPT_KEY_A, SCRIPT_KEY_A, 0, 0};
    for (long frame = 1; frame <= 7; ++frame) EXPECT_EQ(script.keys_at(frame), expected[frame]) << frame;
    EXPECT_EQ(script.keys_at(2), SCRIPT_KEY_UP) << "going back restarts the cursor";
    EXPECT_EQ(script.keys_at(5), SCRIPT_KEY_A);
}

TEST(Options, EmptyNamesAreErrorsNamingTheOption) {
    for (const char* option : {"--input", "--state", "--data"}) {
        const char* argv[] = {"quillmoor", "--headless", "--frames", "5", option, ""};
        Options o;
        std::string error;
        EXPECT_FALSE(parse_options(6, const_cast<char**>(argv), o, error)) << option;
        EXPECT_NE(error.find(option), std::string::npos) << error;
    }
}

TEST(HeadlessRunner, AScriptThatIsADirectoryIsAnErrorAndALateShotAWarning) {
    TempDir dir;
    fs::create_directories(dir.path / "folder");
    HeadlessRun run = run_headless(dir, "", 3, "--input '" + dir.file("folder") + "'");
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_NE(run.errors.find("--input " + dir.file("folder") + ": is a directory"), std::string::npos) << run.errors;

    run = run_headless(dir, "", 3, "--shot 9:'" + dir.file("late.bmp") + "'");
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_NE(run.errors.find("warning: --shot 9:" + dir.file("late.bmp") + ": the run ended at frame 3"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(dir.file("late.bmp")));
}

TEST(JsonWriter, TextOfAnyLengthAndAnyByteStaysValid) {
    std::string text(600, 'x');
    text += "\"\\\n\x92\xE9";
    JsonWriter w;
    w.begin_object();
    w.key("text");
    w.string(text.c_str());
    w.key("nan");
    w.fixed2(std::nan(""));
    w.key("list");
    w.begin_array();
    w.integer(1);
    w.boolean(false);
    w.end_array();
    w.end_object();
    EXPECT_EQ(w.text(), "{\"text\": \"" + std::string(600, 'x') + "\\\"\\\\\\u000a\xE2\x80\x99\xC3\xA9\", \"nan\": null, \"list\": [1, false]\n}\n");
}
