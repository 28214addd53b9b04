// A page printed through a real print queue puts every entry where the PDF of the same page puts it. The
// test runs a CUPS server of its own (its own settings, spool and log folders, a private socket) with one
// cups-pdf queue whose printable area is the whole A4 sheet, prints through it with `kakutei print`, and
// stops the server at the end, also when the test fails.
#include "app/demo_data.h"

#include "pdf_words.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::pdfWords;
using testing::Word;
using Clock = std::chrono::steady_clock;

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out.flush());
}

std::string lastLines(const std::string& text, int count) {
    std::size_t at = text.size();
    for (int i = 0; i <= count && at != std::string::npos && at > 0; ++i)
        at = text.rfind('\n', at - 1);
    return at == std::string::npos ? text : text.substr(at + 1);
}

// A shell command's standard output; the exit status in `status`.
std::string run(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    const int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

std::string findCupsd() {
    for (const char* path : {"/usr/sbin/cupsd", "/sbin/cupsd", "/usr/local/sbin/cupsd"})
        if (::access(path, X_OK) == 0)
            return path;
    return {};
}

// cupsd on a private socket with one cups-pdf queue, the default. cups-pdf reads its settings from
// /etc/cups only, by queue: the file for this queue is written there and removed again.
class PrivateCups {
public:
    PrivateCups() {
        char folder[] = "/tmp/kakutei-cups-XXXXXX";
        if (!::mkdtemp(folder)) {
            failure_ = "no temporary folder";
            return;
        }
        dir_ = folder;
        // The filters run as the user lp, which must reach the spool below this folder.
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        for (const char* sub : {"conf", "spool", "spool/tmp", "cache", "state", "log", "out"})
            fs::create_directories(dir_ / sub);
        queue_ = "kakutei-test-" + std::to_string(::getpid());
        socket_ = (dir_ / "cups.sock").string();
        pdfSettings_ = "/etc/cups/cups-pdf-" + queue_ + ".conf";
        start();
    }
    ~PrivateCups() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            const auto deadline = Clock::now() + std::chrono::seconds(10);
            while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
                if (Clock::now() > deadline) {
                    ::kill(pid_, SIGKILL);
                    ::waitpid(pid_, nullptr, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        ::unsetenv("CUPS_SERVER");
        ::unsetenv("PRINTER");
        std::error_code ignored;
        fs::remove(pdfSettings_, ignored);
        if (!dir_.empty())
            fs::remove_all(dir_, ignored);
    }

    // Empty once the server runs with its queue; else what went wrong.
    const std::string& failure() const { return failure_; }
    const std::string& queue() const { return queue_; }
    const fs::path& folder() const { return dir_; }

    // The PDF cups-pdf made of the one job sent since the last call, once the queue has finished it;
    // empty (and failure() says why) when it has not within the time allowed.
    fs::path takePdf() {
        const auto deadline = Clock::now() + std::chrono::seconds(40);
        int status = 0;
        while (Clock::now() < deadline) {
            const bool pending = !run("lpstat -W not-completed -o " + queue_ + " 2>&1", status).empty();
            for (const auto& entry : fs::directory_iterator(dir_ / "out"))
                if (!pending && entry.path().extension() == ".pdf") {
                    const fs::path taken = dir_ / ("job" + std::to_string(++taken_) + ".pdf");
                    fs::rename(entry.path(), taken);
                    return taken;
                }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        failure_ = "the queue made no PDF within 40 s; the server's log ends:\n" + serverLog();
        return {};
    }

    std::string serverLog() const { return lastLines(readFile(dir_ / "log/error_log"), 25); }

private:
    void start() {
        const std::string cupsd = findCupsd();
        if (cupsd.empty()) {
            failure_ = "cupsd is not installed (scripts/setup installs it)";
            return;
        }
        const std::string d = dir_.string();
        writeFile(dir_ / "conf/cups-files.conf",
                  "ServerRoot " + d + "/conf\nRequestRoot " + d + "/spool\nTempDir " + d +
                      "/spool/tmp\nCacheDir " + d + "/cache\nStateDir " + d + "/state\nErrorLog " + d +
                      "/log/error_log\nAccessLog " + d + "/log/access_log\nPageLog " + d +
                      "/log/page_log\nUser lp\nGroup lp\n"
                      "SystemGroup root\nSandboxing Relaxed\n");
        writeFile(dir_ / "conf/cupsd.conf", "Listen " + socket_ +
                                                "\nLogLevel info\nBrowsing No\nWebInterface No\n"
                                                "DefaultAuthType None\n"
                                                "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n"
                                                "</Limit>\n</Policy>\n");
        if (!writeFile(pdfSettings_,
                       "Out " + d + "/out\nSpool " + d + "/spool/cups-pdf\nLog " + d + "/log\n")) {
            failure_ = "cannot write " + pdfSettings_ + " (is cups-pdf installed?)";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::freopen((d + "/log/cupsd.out").c_str(), "w", stdout);
            ::dup2(::fileno(stdout), STDERR_FILENO);
            ::execl(cupsd.c_str(), "cupsd", "-f", "-c", (d + "/conf/cupsd.conf").c_str(), "-s",
                    (d + "/conf/cups-files.conf").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        if (!waitForSocket())
            return;
        ::setenv("CUPS_SERVER", socket_.c_str(), 1);
        // The queue is the default whatever a person at this machine chose for themselves.
        ::unsetenv("LPDEST");
        ::setenv("PRINTER", queue_.c_str(), 1);
        int status = 0;
        const std::string added =
            run("lpadmin -p " + queue_ + " -E -v cups-pdf:/" + queue_ +
                    " -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 2>&1 && lpadmin -d " +
                    queue_ + " 2>&1",
                status);
        if (status != 0)
            failure_ = "lpadmin could not add the cups-pdf queue: " + added + serverLog();
    }

    bool waitForSocket() {
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        while (Clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                failure_ = "cupsd ended at start-up (status " + std::to_string(status) +
                           "): " + readFile(dir_ / "log/cupsd.out") + serverLog();
                return false;
            }
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_.c_str());
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const bool connected =
                ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
            if (connected)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        failure_ = "cupsd did not listen on " + socket_ + " within 15 s: " + serverLog();
        return false;
    }

    fs::path dir_;
    std::string queue_, socket_, pdfSettings_, failure_;
    pid_t pid_ = -1;
    int taken_ = 0;
};

// A page drawn at 300 dpi in shades of grey, as poppler draws it.
struct Page {
    static constexpr double kDotsPerMm = 300 / 25.4;
    int width = 0, height = 0;
    std::string dots; // one byte a dot, row by row; below 128 is ink
    bool ink(int x, int y) const { return static_cast<unsigned char>(dots[y * width + x]) < 128; }
};

Page drawPage(const fs::path& pdf) {
    Page page;
    const fs::path image = pdf.parent_path() / (pdf.stem().string() + "-drawn");
    int status = 0;
    run("pdftoppm -r 300 -gray -singlefile -f 1 -l 1 " + pdf.string() + " " + image.string(), status);
    std::istringstream in(readFile(image.string() + ".pgm"));
    std::string magic;
    int depth = 0;
    in >> magic >> page.width >> page.height >> depth;
    in.get();
    page.dots.assign(std::istreambuf_iterator<char>(in), {});
    if (magic != "P5" || page.dots.size() != static_cast<std::size_t>(page.width) * page.height)
        page = {};
    return page;
}

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1; // in dots, inclusive; empty while right < left
    bool empty() const { return right < left; }
};

// The box around the ink inside `window`.
Box inkBox(const Page& page, const Box& window) {
    Box ink{page.width, page.height, -1, -1};
    for (int y = std::max(0, window.top); y <= std::min(page.height - 1, window.bottom); ++y)
        for (int x = std::max(0, window.left); x <= std::min(page.width - 1, window.right); ++x)
            if (page.ink(x, y)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

// The centre of the ink inside `window` moved by (dx, dy) dots, weighed by its darkness: a sliver of a
// neighbour at the window's edge, drawn a shade lighter on one page than on the other, hardly moves it.
struct Centre {
    double x = 0, y = 0, weight = 0;
};

Centre inkCentre(const Page& page, const Box& window, int dx = 0, int dy = 0) {
    Centre centre;
    for (int y = std::max(0, window.top + dy); y <= std::min(page.height - 1, window.bottom + dy); ++y)
        for (int x = std::max(0, window.left + dx); x <= std::min(page.width - 1, window.right + dx); ++x) {
            const double darkness = 255 - static_cast<unsigned char>(page.dots[y * page.width + x]);
            centre.x += darkness * x;
            centre.y += darkness * y;
            centre.weight += darkness;
        }
    if (centre.weight > 0) {
        centre.x /= centre.weight;
        centre.y /= centre.weight;
    }
    return centre;
}

// How far each entry of the reference PDF stands from its place in the printed one. The print system may
// replace the fonts and lose the text behind them, so the entries are found by their ink: each word of the
// reference, with half a millimetre around it, is looked for in the printed page, moved first by how far the
// printed page's ink as a whole stands from the reference's. That move is kept too: on a queue that prints
// the whole sheet it must be nothing, or the page would land beside the form's boxes.
struct Difference {
    double shiftX = 0, shiftY = 0; // mm
    double maxX = 0, maxY = 0;
    std::string worst;
    std::vector<std::string> missing;
};

Difference compare(const fs::path& reference, const fs::path& printed) {
    Difference difference;
    const Page expected = drawPage(reference);
    const Page got = drawPage(printed);
    if (expected.dots.empty() || got.dots.empty()) {
        difference.missing.push_back("(a page that poppler cannot draw)");
        return difference;
    }
    const Box whole{0, 0, expected.width - 1, expected.height - 1};
    const Box allExpected = inkBox(expected, whole), allGot = inkBox(got, whole);
    const int shiftX = allGot.left - allExpected.left, shiftY = allGot.top - allExpected.top;
    difference.shiftX = shiftX / Page::kDotsPerMm;
    difference.shiftY = shiftY / Page::kDotsPerMm;
    constexpr double kMargin = 0.5 * Page::kDotsPerMm;
    for (const Word& word : pdfWords(reference.string())) {
        const Box window{static_cast<int>(word.xMm * Page::kDotsPerMm - kMargin),
                         static_cast<int>(word.yMm * Page::kDotsPerMm - kMargin),
                         static_cast<int>(word.x2Mm * Page::kDotsPerMm + kMargin),
                         static_cast<int>(word.y2Mm * Page::kDotsPerMm + kMargin)};
        const Centre there = inkCentre(expected, window);
        const Centre here = inkCentre(got, window, shiftX, shiftY);
        if (there.weight == 0)
            continue; // a blank: no ink to place
        if (here.weight < there.weight / 2) {
            difference.missing.push_back(word.text);
            continue;
        }
        const double dx = (here.x - there.x) / Page::kDotsPerMm;
        const double dy = (here.y - there.y) / Page::kDotsPerMm;
        if (std::max(std::abs(dx), std::abs(dy)) >= std::max(difference.maxX, difference.maxY)) {
            char text[200];
            std::snprintf(text, sizeof text, "%s at (%.1f, %.1f) mm is off by (%.2f, %.2f) mm",
                          word.text.c_str(), word.xMm, word.yMm, dx, dy);
            difference.worst = text;
        }
        difference.maxX = std::max(difference.maxX, std::abs(dx));
        difference.maxY = std::max(difference.maxY, std::abs(dy));
    }
    return difference;
}

TEST(PrintThroughCups, EveryEntryLandsWhereThePdfPutsIt) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "cups-pdf takes its output folder only from /etc/cups, and its backend runs only "
                        "under a cupsd started as root: run this test as root (CI does)";
    const testing::TempRoot root;
    ASSERT_TRUE(createDemoData(root.path()));
    PrivateCups cups;
    ASSERT_EQ(cups.failure(), "");
    for (const char* page : {"1", "2"}) {
        SCOPED_TRACE(std::string("page ") + page);
        const std::string print =
            std::string(KAKUTEI_BINARY) + " --root " + root.path() + " print 3 --page " + page;
        const fs::path reference = cups.folder() / (std::string("reference") + page + ".pdf");
        int status = 0;
        run(print + " --pdf " + reference.string() + " 2>&1", status);
        ASSERT_EQ(status, 0);
        const std::string sent = run(print + " 2>&1", status);
        ASSERT_EQ(status, 0) << sent;
        ASSERT_NE(sent.find("プリンタ「" + cups.queue() + "」に送りました"), std::string::npos) << sent;
        const fs::path printed = cups.takePdf();
        ASSERT_FALSE(printed.empty()) << cups.failure();

        ASSERT_GT(pdfWords(reference.string()).size(), 10u);
        const Difference difference = compare(reference, printed);
        EXPECT_TRUE(difference.missing.empty())
            << "not printed: " << ::testing::PrintToString(difference.missing);
        EXPECT_LE(std::abs(difference.shiftX), 0.3) << "the whole page moved across";
        EXPECT_LE(std::abs(difference.shiftY), 0.3) << "the whole page moved down";
        EXPECT_LE(difference.maxX, 0.3) << difference.worst;
        EXPECT_LE(difference.maxY, 0.3) << difference.worst;
        std::printf("page %s: whole page moved %.2f mm across, %.2f mm down; largest difference of an entry "
                    "%.2f mm across, %.2f mm down; %s\n",
                    page, difference.shiftX, difference.shiftY, difference.maxX, difference.maxY,
                    difference.worst.c_str());
    }
}

} // namespace
} // namespace kakutei
