// Standard output and error of the command-line programs on Windows: UTF-8
// text reaches a console as characters and a file or pipe as bytes, and the
// arguments come from the wide command line.
#include "model/platform.h"
#include "model/platform_windows_text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <iostream>
#include <streambuf>

namespace platform {
namespace {

// Length of the longest prefix of text that ends at a whole UTF-8 sequence.
size_t wholeUtf8Length(std::string_view text)
{
    for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back for the lead
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

// Standard output or error on a console: UTF-8 from the program reaches the
// console as characters, whatever its code page.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            pending_ += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        pending_.append(text, static_cast<size_t>(count));
        return count;
    }
    int sync() override
    {
        const size_t whole = wholeUtf8Length(pending_);
        // Malformed bytes are shown as replacement characters rather than dropped.
        const std::wstring text = toWide(CP_UTF8, std::string_view(pending_).substr(0, whole), 0).value_or(L"");
        pending_.erase(0, whole);
        for (size_t done = 0; done < text.size();) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 8192));
            if (!::WriteConsoleW(console_, text.data() + done, chunk, &written, nullptr) || written == 0)
                return -1;
            done += written;
        }
        return 0;
    }

private:
    HANDLE console_;
    std::string pending_;
};

// Puts a console buffer under a standard stream whose handle is a console,
// and gives the stream its own buffer back (flushed) before the streams are
// flushed at exit.
class ConsoleStream {
public:
    ConsoleStream(std::ostream& stream, DWORD handleId) : stream_(stream), buffer_(::GetStdHandle(handleId))
    {
        DWORD mode = 0;
        if (::GetConsoleMode(::GetStdHandle(handleId), &mode))
            original_ = stream_.rdbuf(&buffer_);
    }
    ConsoleStream(const ConsoleStream&) = delete;
    ConsoleStream& operator=(const ConsoleStream&) = delete;
    ~ConsoleStream()
    {
        if (original_) {
            stream_.flush();
            stream_.rdbuf(original_);
        }
    }

private:
    std::ostream& stream_;
    ConsoleBuffer buffer_;
    std::streambuf* original_ = nullptr;
};

}  // namespace

FileOutcome writeStandardOutput(std::string_view bytes)
{
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(output, &mode)) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush();
        return std::cout ? FileOutcome{} : lastError();
    }
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(output, bytes.data(), chunk, &written, nullptr))
            return lastError();
        bytes.remove_prefix(written);
    }
    return {};
}

std::vector<std::string> startConsoleProgram(int argc, char** argv)
{
    // Lines end in LF alone, so that a file or pipe gets the same bytes as on
    // other systems.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    static ConsoleStream output(std::cout, STD_OUTPUT_HANDLE);
    static ConsoleStream error(std::cerr, STD_ERROR_HANDLE);
    // The narrow arguments are in the system's code page and lose what it
    // cannot hold; the wide command line has every character.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(fromWide(CP_UTF8, wide[i]).value_or(""));
    ::LocalFree(wide);
    return arguments;
}

}  // namespace platform
