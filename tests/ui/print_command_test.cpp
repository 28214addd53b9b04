// The PDF for real: every entry lands within 0.5 mm of its place, and the text is extractable Japanese.
#include "app/print_command.h"

#include "core/store_error.h"
#include "core/taxpayer_record.h"
#include "print/print_offsets.h"
#include "ui/print_output.h"
#include "ui/qt_print_surface.h"

#include "file_size_limit.h"
#include "pdf_words.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <QImage>

#include <gmock/gmock.h>

#include <sys/inotify.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::pdfWords;
using testing::Word;

// A printer that takes a job, or refuses it at one of its steps.
struct FakePrinter {
    QString name; // empty: no printer on the machine
    QString refusal;
    bool deviceRefuses = false;
    QString finishFailure;
};

class FakePrinterJob : public PrinterJob {
public:
    FakePrinterJob(bool deviceRefuses, QString finishFailure)
        : image_(deviceRefuses ? QImage() : QImage(210, 297, QImage::Format_RGB32)),
          finishFailure_(std::move(finishFailure)) {}
    QPaintDevice* device() override { return &image_; }
    double dotsPerInch() const override { return 25.4; }
    QString finish() override { return finishFailure_; }

private:
    QImage image_; // a null image: a device on which painting cannot start
    QString finishFailure_;
};

class FakePrinters : public Printers {
public:
    explicit FakePrinters(FakePrinter printer) : printer_(std::move(printer)) {}
    QString choose() override { return printer_.name; }
    std::unique_ptr<PrinterJob> start(const QString&, const QString&, QString& whyNot) override {
        if (!printer_.refusal.isEmpty()) {
            whyNot = printer_.refusal;
            return nullptr;
        }
        return std::make_unique<FakePrinterJob>(printer_.deviceRefuses, printer_.finishFailure);
    }

private:
    FakePrinter printer_;
};

struct PrintCommandFixture : testing::DataScreenFixture {
    testing::TempRoot outputs; // never inside the data folder
    PrintCommandFixture() {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        record.address1 = "東京都港区芝";
        testing::registerWhole(record); // so that printing asks nothing first
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "5000000"}, {12, "5000000"}});
        testing::writeRecordFields(store, 7, 3, 47, 17, {{2, "\"山田花子\""}});
        root.writeBytes("所得税/税理士名.txt", testing::sjis("\"田中誠\"\r\n\"\"\r\n\"0312345678\"\r\n"));
        storePrintOffsets(store, {2, 3});
    }
    std::vector<Word> print(int page) {
        const std::string pdf = outputs.path() + "/page" + std::to_string(page) + ".pdf";
        const std::string pageText = std::to_string(page);
        std::vector<const char*> argv = {"kakutei",        "--root", root.path().c_str(),
                                         "print",          "7",      "--page",
                                         pageText.c_str(), "--pdf",  pdf.c_str()};
        std::ostringstream out, err;
        EXPECT_EQ(runPrintCommand(parseCommandLine(static_cast<int>(argv.size()), argv.data()),
                                  *qtPrintOutput(), out, err),
                  0)
            << err.str();
        return pdfWords(pdf);
    }
    struct Run {
        int status;
        std::string out, err;
    };
    // `kakutei --root ROOT print 7 --page 1` followed by `options`, on a machine with `printer`.
    Run run(const std::vector<std::string>& options, FakePrinter printer = {}) {
        std::vector<std::string> words = {"kakutei", "--root", root.path(), "print", "7", "--page", "1"};
        words.insert(words.end(), options.begin(), options.end());
        std::vector<const char*> argv;
        for (const std::string& word : words)
            argv.push_back(word.c_str());
        std::ostringstream out, err;
        const auto output = qtPrintOutput(std::make_unique<FakePrinters>(std::move(printer)));
        const int status =
            runPrintCommand(parseCommandLine(static_cast<int>(argv.size()), argv.data()), *output, out, err);
        return {status, out.str(), err.str()};
    }
    // `run` with no printer, for a user whose home folder is `home`.
    Run runAt(const std::string& home) {
        const std::string previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        Run result = run({}, FakePrinter{});
        ::setenv("HOME", previousHome.c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        return result;
    }
    static void expectAt(const std::vector<Word>& words, const std::string& text, double x, double y) {
        for (const Word& word : words) {
            if (word.text != text)
                continue;
            EXPECT_NEAR(word.xMm, x, 0.5) << text;
            EXPECT_NEAR(word.yMm, y, 0.5) << text;
            return;
        }
        ADD_FAILURE() << "not in the PDF: " << text;
    }
};

TEST_F(PrintCommandFixture, PageOneEntriesSitWhereTheFormsBoxesAre) {
    const auto words = print(1);
    ASSERT_FALSE(words.empty());
    expectAt(words, "確", 122 + 2, 9 + 3);
    expectAt(words, "山田太郎", 113 + 2, 27 + 3);
    expectAt(words, "東京都港区芝", 31 + 2, 27 + 3);
    // Row 1, 5,000,000: the 5 in cell 3 (X 67) drawn as a number, one blank (half an em of 11 pt) in.
    expectAt(words, "5", 67 + 2 + 11 * 0.5 * 25.4 / 72, 60 + 3);
}

TEST_F(PrintCommandFixture, PageTwoMovesAllButTheAccountant) {
    const auto words = print(2);
    expectAt(words, "山田太郎", 34 + 2, 57 + 3);
    expectAt(words, "山田花子", 114 + 2, 145 + 3);
    expectAt(words, "田中誠", 135, 272);
}

// The accountant's lines are in the brush face the program carries, embedded so that any viewer shows it.
TEST_F(PrintCommandFixture, TheAccountantsBrushFaceIsEmbedded) {
    print(2);
    EXPECT_THAT(testing::embeddedFonts(outputs.path() + "/page2.pdf"),
                ::testing::Contains("AoyagiKouzanFontT"));
}

// Options that name no form are usage errors, and nothing is printed.
TEST_F(PrintCommandFixture, CombinationsThatMeanNothingAreUsageErrors) {
    const std::vector<std::vector<std::string>> meaningless = {
        {"--a4-copy", "--resident-tax"},
        {"--a4-copy", "--office-form"},
        {"--page", "2", "--resident-tax"},
        {"--page", "2", "--a4-copy", "--resident-tax"},
    };
    for (const auto& options : meaningless) {
        std::vector<std::string> withPdf = options;
        withPdf.insert(withPdf.end(), {"--pdf", outputs.path()});
        const Run result = run(withPdf);
        EXPECT_EQ(result.status, 2) << options.at(0) << " " << options.at(1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("使い方"), std::string::npos) << result.err;
    }
    for (const auto& entry : std::filesystem::directory_iterator(outputs.path()))
        EXPECT_NE(entry.path().extension(), ".pdf") << entry.path();
    EXPECT_EQ(run({"--resident-tax", "--office-form", "--pdf", outputs.path()}).status, 0);
}

// A folder of many clients' PDFs reads at a glance: code, name, page.
TEST_F(PrintCommandFixture, PdfFileNamesCarryTheCodeAndTheName) {
    const std::string folder = outputs.path() + "/pdfs";
    std::filesystem::create_directory(folder);
    const struct {
        std::vector<std::string> options;
        const char* file;
    } cases[] = {
        {{}, "07_山田太郎_第一表.pdf"},
        {{"--a4-copy"}, "07_山田太郎_第一表（控え）.pdf"},
        {{}, "07_山田太郎_第一表_2.pdf"}, // printed again: the first stays
    };
    for (const auto& c : cases) {
        std::vector<std::string> options = c.options;
        options.insert(options.end(), {"--pdf", folder});
        const Run result = run(options);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, folder + "/" + c.file + "\n");
        EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/" + c.file)) << c.file;
    }
}

TEST_F(PrintCommandFixture, APdfThatCannotBeWrittenIsAFailureNamingTheFileAndWhy) {
    outputs.writeBytes("a-file", "x");
    const struct {
        std::string pdf;
        std::string reason;
    } cases[] = {
        {outputs.path() + "/no-such-folder/page1.pdf",
         describeError(std::make_error_code(std::errc::no_such_file_or_directory))},
        {outputs.path() + "/a-file/page1.pdf",
         describeError(std::make_error_code(std::errc::not_a_directory))},
    };
    for (const auto& c : cases) {
        const Run result = run({"--pdf", c.pdf});
        EXPECT_EQ(result.status, 1) << c.pdf;
        EXPECT_EQ(result.out, "") << c.pdf;
        EXPECT_NE(result.err.find(c.pdf), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(c.pdf));
    }
}

TEST_F(PrintCommandFixture, APdfCutShortByAFullDiskIsRemovedAndReported) {
    const std::string pdf = outputs.path() + "/page1.pdf";
    const Run result = [&] {
        const testing::FileSizeLimit limit(8192); // the A4 copy's PDF is several times larger
        return run({"--a4-copy", "--pdf", pdf});
    }();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(pdf), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(describeError(std::make_error_code(std::errc::file_too_large))),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(pdf));
    // Nor is a piece of it left under another name.
    for (const auto& entry : std::filesystem::directory_iterator(outputs.path()))
        EXPECT_NE(entry.path().extension(), ".pdf") << entry.path();
}

// Watches a folder and notes the permission bits of every file as it appears there, while the PDF is
// still being written.
class CreationWatcher {
public:
    explicit CreationWatcher(const std::string& folder) : folder_(folder) {
        fd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO);
        thread_ = std::thread([this] { watch(); });
    }
    ~CreationWatcher() { stop(); }
    // Each file seen, with its mode at the moment it was seen.
    std::vector<std::pair<std::string, unsigned>> stop() {
        if (thread_.joinable()) {
            done_ = true;
            thread_.join();
            ::close(fd_);
        }
        return seen_;
    }

private:
    void watch() {
        alignas(inotify_event) char buffer[4096];
        while (!done_) {
            pollfd waiting{fd_, POLLIN, 0};
            if (::poll(&waiting, 1, 5) <= 0)
                continue;
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) {
                    struct stat info {};
                    const std::string path = folder_ + "/" + event->name;
                    if (::stat(path.c_str(), &info) == 0)
                        seen_.emplace_back(event->name, info.st_mode & 07777);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
    std::string folder_;
    int fd_ = -1;
    std::atomic<bool> done_ = false;
    std::thread thread_;
    std::vector<std::pair<std::string, unsigned>> seen_;
};

TEST_F(PrintCommandFixture, APdfIsPrivateFromItsFirstByte) {
    const std::string folder = outputs.path() + "/out";
    std::filesystem::create_directory(folder);
    const mode_t previousMask = ::umask(022);
    CreationWatcher watcher(folder);
    const Run result = run({"--a4-copy", "--pdf", folder + "/copy.pdf"});
    const auto seen = watcher.stop();
    ::umask(previousMask);
    EXPECT_EQ(result.status, 0) << result.err;
    ASSERT_FALSE(seen.empty());
    for (const auto& [name, mode] : seen)
        EXPECT_EQ(mode, 0600u) << name;
    struct stat info {};
    ASSERT_EQ(::stat((folder + "/copy.pdf").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(PrintCommandFixture, WithoutAPrinterThePdfInDocumentsIsASuccessThatSaysWhere) {
    const std::string home = outputs.path() + "/home";
    const std::string pdf = home + "/Documents/kakutei/07_山田太郎_第一表.pdf";
    const Run saved = runAt(home);
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out,
              "プリンタが見つからないため、07 山田太郎 第一表 を PDF に保存しました: " + pdf + "\n");
    EXPECT_EQ(saved.err, "");
    EXPECT_TRUE(std::filesystem::is_regular_file(pdf));

    // A file where the folder should be: the user is told, and nothing counts as printed.
    std::filesystem::remove_all(home + "/Documents");
    outputs.writeBytes("home/Documents", "not a folder");
    const Run refused = runAt(home);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "印刷できません: 07 山田太郎 第一表 の PDF を保存するフォルダを作れませんでした: " + home +
                  "/Documents/kakutei\n" + describeError(std::make_error_code(std::errc::not_a_directory)) +
                  "\n");
}

TEST_F(PrintCommandFixture, APrinterJobSaysWhichPrinterTookItOrWhyNone) {
    const struct {
        FakePrinter printer;
        int status;
        std::string out, err;
    } cases[] = {
        {{"事務所のプリンタ", {}, false, {}},
         0,
         "07 山田太郎 第一表 をプリンタ「事務所のプリンタ」に送りました。\n",
         ""},
        {{"LBP", "プリンタが停止しているか、エラーの状態です。", false, {}},
         1,
         "",
         "印刷できません: 07 山田太郎 第一表 をプリンタ「LBP」で印刷できませんでした。\n"
         "プリンタが停止しているか、エラーの状態です。\n"},
        {{"LBP", {}, true, {}},
         1,
         "",
         "印刷できません: 07 山田太郎 第一表 "
         "をプリンタ「LBP」で印刷できませんでした。\nプリンタが印刷を受け付けませんでした。\n"},
        {{"LBP", {}, false, "印刷の仕組み（CUPS）がジョブを受け取りませんでした。"},
         1,
         "",
         "印刷できません: 07 山田太郎 第一表 をプリンタ「LBP」で印刷できませんでした。\n"
         "印刷の仕組み（CUPS）がジョブを受け取りませんでした。\n"},
    };
    for (const auto& c : cases) {
        const Run result = run({}, c.printer);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
    }
}

} // namespace
} // namespace kakutei
