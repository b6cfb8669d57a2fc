// Printing: "&P.打印" of "&F.文件" asks for a printer in the system print dialog
// (and, for print-to-file, for the output file), then prints the document's text
// page by page while a progress window shows.
//
// The printer is "PDF" of the private print server (scripts/cups.sh, reached
// through CUPS_SERVER): each job it completes becomes a PDF file. What reached
// the spooler and what the pages say is read with Linux tools (ipptool,
// pdfinfo, pdftotext, ps2pdf) run through /bin/sh: Wine starts Unix programs
// but cannot wait for them, so each script leaves its exit status in a file.
#include "harness.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace e2e {
namespace {

constexpr WPARAM kPrintCommand = 1006;  // "&P.打印": menu item 6
constexpr char kPrintCaption[] = "打印";
constexpr char kProgressCaption[] = "正在进行打印，请稍候 ......";
constexpr char kOutputFileCaption[] = "打印到文件";
constexpr char kJobName[] = "未命名打印作业";

// Controls of the system print dialog.
constexpr int kPrinterList = 0x473;  // cmb4
constexpr int kPrinterPort = 0x44d;  // "位置:" value
constexpr int kPrintToFile = 0x410;  // chx1
constexpr int kCollate = 0x411;      // chx2
constexpr int kCopies = 0x482;       // edt3
constexpr int kSelectionRange = 0x421;
constexpr int kPageRange = 0x422;
// The save dialog's file-type list.
constexpr int kFileTypeList = 0x470;  // cmb1
// Values of the progress window.
constexpr int kJobNameValue = 201;
constexpr int kDestinationValue = 202;
constexpr int kCopiesValue = 203;
constexpr int kPageValue = 204;

// A job goes through Ghostscript in the PDF printer: seconds, not milliseconds.
constexpr DWORD kJobDeadline = 60000;

std::string convert(std::string_view text, UINT from, UINT to) {
  const int wideLength = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(wideLength, L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string converted(length, '\0');
  WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(), length, nullptr, nullptr);
  return converted;
}
std::string gbkFromUtf8(std::string_view text) { return convert(text, CP_UTF8, 936); }
std::string utf8FromGbk(std::string_view text) { return convert(text, 936, CP_UTF8); }

std::string trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

std::string withoutSpaces(std::string_view text) {
  std::string kept;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f') kept += c;
  return kept;
}

// A shell word.
std::string shellWord(std::string_view text) {
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder of this test's own for files of the Linux tools, removed afterwards.
class Scratch {
public:
  Scratch() {
    static int count = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "pellith-printing-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++count);
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  ~Scratch() {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileA(path(found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::string path(std::string_view name) const { return folder_ + "\\" + std::string(name); }

  // Runs `script` with /bin/sh in this folder; `output` gets what it wrote.
  testing::AssertionResult shell(const std::string& script, std::string& output, DWORD timeout = kJobDeadline) {
    static int runs = 0;
    const std::string name = "script" + std::to_string(++runs);
    {
      std::ofstream file(path(name + ".sh"), std::ios::binary);
      file << "PATH=/usr/sbin:/usr/bin:/sbin:/bin; export PATH; LC_ALL=C.UTF-8; export LC_ALL\n"
           << "( " << script << "\n) >" << name << ".out 2>&1\n"
           << "echo $? >" << name << ".part && mv " << name << ".part " << name << ".status\n";
    }
    std::string commandLine = "/bin/sh " + name + ".sh";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                        &startup, &process))
      return testing::AssertionFailure() << "cannot start /bin/sh: error " << GetLastError();
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    const std::string statusFile = path(name + ".status");
    const bool finished = eventually([&] { return GetFileAttributesA(statusFile.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                     timeout, 50);
    output = readFile(path(name + ".out"));
    if (!finished) return testing::AssertionFailure() << "the script did not finish:\n" << script << "\n" << output;
    const std::string status = trimmed(readFile(statusFile));
    if (status != "0" && status != "0\n")
      return testing::AssertionFailure() << "the script failed with status " << status << ":\n" << script
                                         << "\noutput:\n" << output;
    return testing::AssertionSuccess();
  }

private:
  std::string folder_;
};

// The print server of scripts/cups.sh, by its socket; its PDF printer writes
// "<title>-job_<id>.pdf" into the folder beside the socket.
std::string printServer() {
  char socket[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("CUPS_SERVER", socket, sizeof socket);
  return length && length < sizeof socket ? socket : "";
}
std::string pdfFolder() {
  const std::string socket = printServer();
  return socket.substr(0, socket.rfind('/')) + "/pdf";
}

struct Job {
  int id = 0;
  std::string state;  // "completed", "canceled", "aborted", "pending", "processing", ...
  int pages = 0;      // as the spooler counted them
};

std::string jobList(const std::vector<Job>& jobs) {
  std::ostringstream out;
  for (const Job& job : jobs) out << "\n  job " << job.id << " " << job.state << ", " << job.pages << " pages";
  return jobs.empty() ? std::string(" none") : out.str();
}

// Every job of the PDF printer, finished or not, oldest first. Their names are
// left out: Wine 8 passes a Chinese job name to CUPS cut short in a buffer
// sized for its characters instead of its bytes, often with stray bytes after,
// and ipptool rejects such a name. (The name the program gave its job is the
// title of the PDF file; see Printed.)
testing::AssertionResult listJobs(Scratch& scratch, std::vector<Job>& jobs) {
  std::string uri = "ipp://";
  for (char c : printServer()) uri += c == '/' ? std::string("%2F") : std::string(1, c);
  uri += "/printers/PDF";
  std::string output;
  testing::AssertionResult listed = scratch.shell(
      "cat >jobs.test <<'END'\n"
      "{\n"
      "  NAME \"jobs\"\n"
      "  OPERATION Get-Jobs\n"
      "  GROUP operation-attributes-tag\n"
      "  ATTR charset attributes-charset utf-8\n"
      "  ATTR language attributes-natural-language en\n"
      "  ATTR uri printer-uri $uri\n"
      "  ATTR keyword which-jobs all\n"
      "  ATTR keyword requested-attributes job-id,job-state,job-impressions-completed\n"
      "  STATUS successful-ok\n"
      "  DISPLAY job-id\n"
      "  DISPLAY job-state\n"
      "  DISPLAY job-impressions-completed\n"
      "}\n"
      "END\n"
      "ipptool -c " + shellWord(uri) + " jobs.test",
      output, 20000);
  if (!listed) return listed << "\n(is the print server running? scripts/cups.sh start)";
  // CSV under a header line: job-id,job-state,job-impressions-completed
  jobs.clear();
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] < '0' || line[0] > '9') continue;
    std::istringstream fields(line);
    Job job;
    std::string id, pages;
    std::getline(fields, id, ',');
    std::getline(fields, job.state, ',');
    std::getline(fields, pages, ',');
    job.id = std::stoi(id);
    job.pages = pages.empty() ? 0 : std::stoi(pages);
    jobs.push_back(job);
  }
  std::sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
  return testing::AssertionSuccess();
}

std::set<int> jobIds(const std::vector<Job>& jobs) {
  std::set<int> ids;
  for (const Job& job : jobs) ids.insert(job.id);
  return ids;
}

std::vector<Job> newJobs(const std::vector<Job>& jobs, const std::set<int>& before) {
  std::vector<Job> added;
  for (const Job& job : jobs)
    if (!before.count(job.id)) added.push_back(job);
  return added;
}

// Waits for exactly one job more than `before` to reach the spooler and end by itself.
testing::AssertionResult waitForCompletedJob(Scratch& scratch, const std::set<int>& before, Job& completed) {
  return eventually(
      [&]() -> testing::AssertionResult {
        std::vector<Job> jobs;
        testing::AssertionResult listed = listJobs(scratch, jobs);
        if (!listed) return listed;
        const std::vector<Job> added = newJobs(jobs, before);
        if (added.size() == 1 && added[0].state == "completed") {
          completed = added[0];
          return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "expected one new completed job; new jobs:" << jobList(added);
      },
      kJobDeadline, 250);
}

// What a PDF file shows: its page count, its title and each page's text lines,
// turned into GBK and trimmed, empty lines left out. Wine's PostScript names the
// document with the program's GBK bytes, and Ghostscript keeps them as the PDF's
// title; pdfinfo's Latin1 output gives bytes of 0xA0 and above back unchanged.
struct Printed {
  int pages = 0;
  std::string title;
  std::vector<std::vector<std::string>> pageLines;

  std::vector<std::string> lines() const {
    std::vector<std::string> all;
    for (const auto& page : pageLines) all.insert(all.end(), page.begin(), page.end());
    return all;
  }
};

// `pdf` is a shell expression naming the file, relative to the scratch folder or absolute.
testing::AssertionResult readPdf(Scratch& scratch, const std::string& pdf, Printed& printed) {
  std::string output;
  testing::AssertionResult read = scratch.shell(
      "f=" + pdf + "; pdfinfo -enc Latin1 \"$f\" >pdf-info && pdftotext -enc UTF-8 \"$f\" pdf-text", output);
  if (!read) return read;
  printed = {};
  std::istringstream info(readFile(scratch.path("pdf-info")));
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("Pages:", 0) == 0) printed.pages = std::stoi(trimmed(line.substr(6)));
    if (line.rfind("Title:", 0) == 0) printed.title = trimmed(line.substr(6));
  }
  // pdftotext ends every page with a form feed.
  std::istringstream pages(gbkFromUtf8(readFile(scratch.path("pdf-text"))));
  for (std::string page; std::getline(pages, page, '\f');) {
    std::vector<std::string> lines;
    std::istringstream pageText(page);
    for (std::string line; std::getline(pageText, line);)
      if (std::string kept = trimmed(line); !kept.empty()) lines.push_back(kept);
    printed.pageLines.push_back(lines);
  }
  if (static_cast<int>(printed.pageLines.size()) != printed.pages)
    return testing::AssertionFailure() << "pdfinfo counts " << printed.pages << " pages, pdftotext "
                                       << printed.pageLines.size();
  return testing::AssertionSuccess();
}

testing::AssertionResult readJobPdf(Scratch& scratch, const Job& job, Printed& printed) {
  return readPdf(scratch, "$(ls " + shellWord(pdfFolder()) + "/*-job_" + std::to_string(job.id) + ".pdf)", printed);
}

// The document's lines as the pages are expected to show them: split at CR LF, empty ones left out.
std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    if (std::string line = trimmed(text.substr(start, end - start)); !line.empty()) lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += "\n    " + printable(line);
  return all;
}

class Printing : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_FALSE(printServer().empty()) << "CUPS_SERVER names no print server (scripts/wine-env.sh)";
    ASSERT_TRUE(listJobs(scratch, jobsBefore));
  }

  void setDocument(const std::string& text) {
    document = text;
    setContent(edit, text);
    ASSERT_TRUE(eventually([&] { return textIs(edit, text); }));
  }

  void choosePrint() { PostMessageA(editor, WM_COMMAND, kPrintCommand, 0); }

  // The system print dialog; fails when the dialog saying that no printer is
  // installed (also titled "打印") shows instead.
  HWND waitForPrintDialog() {
    HWND dialog = nullptr;
    const testing::AssertionResult shown = eventually([&]() -> testing::AssertionResult {
      dialog = dialogOf(program, kPrintCaption, kPrinterList);
      if (dialog) return testing::AssertionSuccess();
      testing::AssertionResult result = testing::AssertionFailure() << "no print dialog with a printer list";
      for (HWND window : program.windows()) {
        if (!IsWindowVisible(window)) continue;
        result << "\n  window " << describe(window);
        if (className(window) == "#32770" && caption(window) == kPrintCaption)
          result << " saying " << printable(readMessageBox(window).text)
                 << " (no printer: is scripts/cups.sh start running, and CUPS_SERVER set?)";
      }
      return result;
    });
    if (!shown) ADD_FAILURE() << shown.message();
    return dialog;
  }

  HWND progressWindow() const { return dialogOf(program, kProgressCaption, IDCANCEL); }

  // No dialog of the program left and the editor usable again.
  testing::AssertionResult idle() const {
    for (HWND window : program.windows())
      if (IsWindowVisible(window) && window != editor)
        return testing::AssertionFailure() << "still shown: " << describe(window);
    if (!IsWindowEnabled(editor)) return testing::AssertionFailure() << "the editor window is disabled";
    return testing::AssertionSuccess();
  }

  testing::AssertionResult noNewJobs() {
    std::vector<Job> jobs;
    testing::AssertionResult listed = listJobs(scratch, jobs);
    if (!listed) return listed;
    const std::vector<Job> added = newJobs(jobs, jobIds(jobsBefore));
    if (added.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "new jobs reached the spooler:" << jobList(added);
  }

  // Print, OK in the print dialog, and the one job it makes, once it has ended by itself.
  void printAndWait(Job& job, Printed& printed) {
    const std::set<int> before = [&] {
      std::vector<Job> jobs;
      EXPECT_TRUE(listJobs(scratch, jobs));
      return jobIds(jobs);
    }();
    choosePrint();
    const HWND dialog = waitForPrintDialog();
    ASSERT_NE(dialog, nullptr);
    clickButton(dialog, IDOK);
    ASSERT_TRUE(waitForCompletedJob(scratch, before, job));
    ASSERT_TRUE(eventually([&] { return idle(); }, kJobDeadline));
    ASSERT_TRUE(readJobPdf(scratch, job, printed));
    EXPECT_EQ(job.pages, printed.pages) << "pages the spooler counted";
  }

  Scratch scratch;
  std::vector<Job> jobsBefore;
  std::string document;
};

std::string numberedLines(int count) {
  std::string text;
  for (int line = 1; line <= count; ++line)
    text += "第" + std::to_string(line) + "行 line " + std::to_string(line) + (line < count ? "\r\n" : "");
  return text;
}

TEST_F(Printing, ThroughTheFileMenuPrintsTheLinesAsOneJobThatEndsByItself) {
  setDocument("第一行：中文与 ASCII 混排 123\r\nSecond line, plain ASCII.\r\n\r\n最后一行 The end。");
  ASSERT_TRUE(readyToType());
  pressKey('F', {VK_MENU});
  pressKey('P');
  const HWND dialog = waitForPrintDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), editor);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kPageRange))) << "a page range is offered";
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kSelectionRange))) << "printing the selection is offered";
  EXPECT_EQ(windowText(GetDlgItem(dialog, kPrinterList)), "PDF") << "the print server's default printer";
  clickButton(dialog, IDOK);

  Job job;
  ASSERT_TRUE(waitForCompletedJob(scratch, jobIds(jobsBefore), job));
  EXPECT_EQ(job.pages, 1);
  EXPECT_TRUE(eventually([&] { return idle(); }));
  EXPECT_TRUE(textIs(edit, document));

  Printed printed;
  ASSERT_TRUE(readJobPdf(scratch, job, printed));
  EXPECT_NE(printed.title.find(kJobName), std::string::npos) << "title " << printable(printed.title);
  EXPECT_EQ(printed.pages, 1);
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the page shows:" << joined(printed.lines());
}

TEST_F(Printing, AnEmptyDocumentIsOneEmptyPage) {
  Job job;
  Printed printed;
  ASSERT_NO_FATAL_FAILURE(printAndWait(job, printed));
  EXPECT_EQ(printed.pages, 1);
  EXPECT_EQ(printed.lines(), std::vector<std::string>{});
}

TEST_F(Printing, ALongDocumentFillsEqualPagesWithEveryLineOnce) {
  constexpr int kLines = 200;
  setDocument(numberedLines(kLines));
  Job job;
  Printed printed;
  ASSERT_NO_FATAL_FAILURE(printAndWait(job, printed));

  ASSERT_GT(printed.pages, 1);
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the pages show:" << joined(printed.lines());
  // Every page but the last is full, so each holds as many rows as the first.
  const size_t rowsPerPage = printed.pageLines.front().size();
  ASSERT_GT(rowsPerPage, 0u);
  for (int page = 0; page + 1 < printed.pages; ++page)
    EXPECT_EQ(printed.pageLines[page].size(), rowsPerPage) << "page " << page + 1;
  EXPECT_EQ(printed.pages, static_cast<int>((kLines + rowsPerPage - 1) / rowsPerPage));
}

TEST_F(Printing, ALongLineIsWrappedWithNothingCut) {
  std::string longLine;
  for (int part = 0; part < 60; ++part) longLine += "长行" + std::to_string(part % 10) + "折ABCdefXYZ";
  longLine += "行尾END";
  setDocument("开头 first\r\n" + longLine + "\r\n下一行 next");
  Job job;
  Printed printed;
  ASSERT_NO_FATAL_FAILURE(printAndWait(job, printed));

  const std::vector<std::string> lines = printed.lines();
  ASSERT_GE(lines.size(), 4u) << "the long line is not wrapped:" << joined(lines);
  EXPECT_EQ(lines.front(), "开头 first");
  EXPECT_EQ(lines.back(), "下一行 next");
  std::string rows;
  for (size_t row = 1; row + 1 < lines.size(); ++row) rows += lines[row];
  EXPECT_EQ(withoutSpaces(rows), longLine) << "its rows:" << joined(lines);
}

TEST_F(Printing, ToAFileWritesPostScriptAndNothingReachesTheSpooler) {
  setDocument(numberedLines(2000));
  choosePrint();
  const HWND dialog = waitForPrintDialog();
  ASSERT_NE(dialog, nullptr);
  SendMessageA(GetDlgItem(dialog, kPrintToFile), BM_SETCHECK, BST_CHECKED, 0);
  clickButton(dialog, IDOK);

  const HWND fileDialog = waitForDialog(program, kOutputFileCaption);
  ASSERT_NE(fileDialog, nullptr);
  EXPECT_EQ(fileNameBox(fileDialog), "Output.prn");
  EXPECT_EQ(windowText(GetDlgItem(fileDialog, kFileTypeList)), "打印输出文件 (*.prn)");
  // Without an extension the dialog's default one, "prn", is added.
  confirmFileName(fileDialog, scratch.path("打印结果"));

  // The progress window names the file, without its folder.
  HWND progress = nullptr;
  ASSERT_TRUE(eventually([&] { return (progress = progressWindow()) != nullptr; }));
  EXPECT_EQ(windowText(GetDlgItem(progress, kDestinationValue)), "打印结果.prn");
  ASSERT_TRUE(eventually([&] { return idle(); }, kJobDeadline));
  // The file is complete once the printer device is let go, just after the progress window.
  std::string postScript;
  ASSERT_TRUE(eventually([&]() -> testing::AssertionResult {
    postScript = readFile(scratch.path("打印结果.prn"));
    if (postScript.rfind("%!PS-Adobe", 0) == 0 && postScript.find("%%EOF") != std::string::npos)
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no complete PostScript in the file: " << printable(postScript.substr(0, 40));
  }));
  size_t pageComments = 0;
  for (size_t at = postScript.find("\n%%Page: "); at != std::string::npos; at = postScript.find("\n%%Page: ", at + 1))
    ++pageComments;
  EXPECT_GT(pageComments, 0u);
  EXPECT_NE(postScript.find("\n%%Pages: " + std::to_string(pageComments)), std::string::npos);

  std::string log;
  ASSERT_TRUE(scratch.shell("ps2pdf " + shellWord(utf8FromGbk("打印结果.prn")) + " from-file.pdf", log));
  Printed printed;
  ASSERT_TRUE(readPdf(scratch, "from-file.pdf", printed));
  EXPECT_EQ(printed.pages, static_cast<int>(pageComments));
  EXPECT_NE(printed.title.find(kJobName), std::string::npos) << "title " << printable(printed.title);
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the pages show:" << joined(printed.lines());

  Sleep(1000);  // a job sent to the spooler would be there by now
  EXPECT_TRUE(noNewJobs());
}

enum class Cancelled { PrintDialog, OutputFileDialog };
const char* nameOf(Cancelled where) { return where == Cancelled::PrintDialog ? "InThePrintDialog" : "InTheFileDialog"; }
void PrintTo(Cancelled where, std::ostream* out) { *out << nameOf(where); }

class PrintingCancelled : public Printing, public testing::WithParamInterface<Cancelled> {};

TEST_P(PrintingCancelled, DoesNothingAndTheNextPrintWorks) {
  setDocument("取消以后 after cancel\r\n仍然可以打印 still prints");
  choosePrint();
  const HWND dialog = waitForPrintDialog();
  ASSERT_NE(dialog, nullptr);
  if (GetParam() == Cancelled::PrintDialog) {
    clickButton(dialog, IDCANCEL);
  } else {
    SendMessageA(GetDlgItem(dialog, kPrintToFile), BM_SETCHECK, BST_CHECKED, 0);
    clickButton(dialog, IDOK);
    const HWND fileDialog = waitForDialog(program, kOutputFileCaption);
    ASSERT_NE(fileDialog, nullptr);
    clickButton(fileDialog, IDCANCEL);
  }
  ASSERT_TRUE(eventually([&] { return idle(); }));
  // Nothing may follow: no progress window, no job.
  Sleep(1000);
  EXPECT_TRUE(idle());
  EXPECT_TRUE(noNewJobs());
  EXPECT_TRUE(textIs(edit, document));

  Job job;
  Printed printed;
  ASSERT_NO_FATAL_FAILURE(printAndWait(job, printed));
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the page shows:" << joined(printed.lines());
}

INSTANTIATE_TEST_SUITE_P(Printing, PrintingCancelled,
                         testing::Values(Cancelled::PrintDialog, Cancelled::OutputFileDialog),
                         [](const testing::TestParamInfo<Cancelled>& info) { return std::string(nameOf(info.param)); });

struct CopiesCase {
  const char* name;
  int copies;
  bool collate;
  friend void PrintTo(const CopiesCase& copies, std::ostream* out) { *out << copies.name; }
};

class PrintingCopies : public Printing, public testing::WithParamInterface<CopiesCase> {};

TEST_P(PrintingCopies, AreOfferedAgainByTheNextPrintDialog) {
  setDocument("份数 copies");
  choosePrint();
  HWND dialog = waitForPrintDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(windowText(GetDlgItem(dialog, kCopies)), "1") << "the first dialog offers one copy";
  setContent(GetDlgItem(dialog, kCopies), std::to_string(GetParam().copies));
  SendMessageA(GetDlgItem(dialog, kCollate), BM_SETCHECK, GetParam().collate ? BST_CHECKED : BST_UNCHECKED, 0);
  clickButton(dialog, IDOK);
  Job job;
  ASSERT_TRUE(waitForCompletedJob(scratch, jobIds(jobsBefore), job));
  EXPECT_EQ(job.pages, GetParam().copies) << "pages the spooler counted for a document of one page";
  ASSERT_TRUE(eventually([&] { return idle(); }, kJobDeadline));

  choosePrint();
  dialog = waitForPrintDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(windowText(GetDlgItem(dialog, kCopies)), std::to_string(GetParam().copies));
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kCollate), BM_GETCHECK, 0, 0),
            GetParam().collate ? BST_CHECKED : BST_UNCHECKED);
  clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(eventually([&] { return idle(); }));
}

INSTANTIATE_TEST_SUITE_P(Printing, PrintingCopies,
                         testing::Values(CopiesCase{"ThreeCollated", 3, true}, CopiesCase{"TwoNotCollated", 2, false}),
                         [](const testing::TestParamInfo<CopiesCase>& info) { return std::string(info.param.name); });

// Jobs long enough to watch: the progress window, and "中止打印".
class PrintingProgress : public Printing {
protected:
  // Prints `lines` numbered lines and waits for the progress window; `destination`
  // gets the printer's name and port as the print dialog shows them.
  HWND startJob(int lines, std::string& destination) {
    setDocument(numberedLines(lines));
    choosePrint();
    const HWND dialog = waitForPrintDialog();
    if (!dialog) return nullptr;
    destination = windowText(GetDlgItem(dialog, kPrinterList)) + " 上的 " + windowText(GetDlgItem(dialog, kPrinterPort));
    clickButton(dialog, IDOK);
    HWND progress = nullptr;
    const testing::AssertionResult shown = eventually([&]() -> testing::AssertionResult {
      progress = progressWindow();
      if (progress) return testing::AssertionSuccess();
      return testing::AssertionFailure() << "no progress window";
    });
    if (!shown) ADD_FAILURE() << shown.message();
    return progress;
  }

  int pageShown(HWND progress) { return std::atoi(windowText(GetDlgItem(progress, kPageValue)).c_str()); }
};

TEST_F(PrintingProgress, ShowsWhileTheEditorIsDisabledUntilTheLastPage) {
  constexpr int kLines = 1500;
  std::string destination;
  const HWND progress = startJob(kLines, destination);
  ASSERT_NE(progress, nullptr);
  // The progress window shows first, then the program's other windows are disabled.
  EXPECT_TRUE(eventually([&] { return !IsWindowEnabled(editor); }, 2000)) << "the editor window stays enabled";
  EXPECT_TRUE(IsWindowEnabled(progress));
  EXPECT_EQ(windowText(GetDlgItem(progress, kJobNameValue)), kJobName);
  EXPECT_EQ(windowText(GetDlgItem(progress, kDestinationValue)), destination);
  EXPECT_EQ(windowText(GetDlgItem(progress, kCopiesValue)), "1");
  // The page number counts up while the editor stays disabled.
  const int first = pageShown(progress);
  EXPECT_GE(first, 1);
  EXPECT_TRUE(eventually([&]() -> testing::AssertionResult {
    if (!IsWindow(progress)) return testing::AssertionFailure() << "the progress window has gone";
    if (IsWindowEnabled(editor)) return testing::AssertionFailure() << "the editor window is enabled";
    const int page = pageShown(progress);
    if (page > first + 1) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "page " << page << " shown, first " << first;
  }));
  // Keys for the disabled editor change nothing.
  activate(editor);
  type(L"x");
  Sleep(200);
  EXPECT_TRUE(textIs(edit, document));

  Job job;
  ASSERT_TRUE(waitForCompletedJob(scratch, jobIds(jobsBefore), job));
  EXPECT_TRUE(eventually([&] { return idle(); }, kJobDeadline));
  EXPECT_TRUE(textIs(edit, document));
  Printed printed;
  ASSERT_TRUE(readJobPdf(scratch, job, printed));
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the pages show:" << joined(printed.lines());
}

TEST_F(PrintingProgress, StoppedWithItsButtonAbandonsTheJob) {
  std::string destination;
  const HWND progress = startJob(20000, destination);
  ASSERT_NE(progress, nullptr);
  ASSERT_TRUE(eventually([&]() -> testing::AssertionResult {
    if (!IsWindow(progress)) return testing::AssertionFailure() << "the progress window has gone";
    if (pageShown(progress) >= 2) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "still on page " << pageShown(progress);
  }));
  clickButton(progress, IDCANCEL);
  EXPECT_TRUE(eventually([&] { return idle(); }));
  EXPECT_TRUE(textIs(edit, document));
  // An abandoned job never reaches the spooler, not even in part.
  Sleep(2000);
  EXPECT_TRUE(noNewJobs());

  // And the program prints again.
  setDocument("中止以后 after stopping");
  Job job;
  Printed printed;
  ASSERT_NO_FATAL_FAILURE(printAndWait(job, printed));
  EXPECT_EQ(printed.lines(), linesOf(document)) << "the page shows:" << joined(printed.lines());
}

TEST_F(PrintingProgress, ClosingTheEditorEndsTheJobAndTheProgram) {
  std::string destination;
  const HWND progress = startJob(20000, destination);
  ASSERT_NE(progress, nullptr);
  ASSERT_TRUE(eventually([&]() -> testing::AssertionResult {
    if (!IsWindow(progress)) return testing::AssertionFailure() << "the progress window has gone";
    if (pageShown(progress) >= 2) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "still on page " << pageShown(progress);
  }));
  // The editor is disabled, so no person can close it now; another program can.
  PostMessageA(editor, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.waitForExit(exitCode, kJobDeadline));
  EXPECT_EQ(exitCode, 0u);
  // The job is ended, not abandoned: the pages printed so far reach the spooler.
  Job job;
  ASSERT_TRUE(waitForCompletedJob(scratch, jobIds(jobsBefore), job));
  EXPECT_GE(job.pages, 1);
  Printed printed;
  ASSERT_TRUE(readJobPdf(scratch, job, printed));
  const std::vector<std::string> lines = printed.lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), linesOf(document).front());
  EXPECT_LT(lines.size(), linesOf(document).size()) << "the whole document was printed before the window closed";
}

}  // namespace
}  // namespace e2e
