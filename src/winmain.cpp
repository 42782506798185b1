// The Windows process entry of the GUI executable: turns the wide-character command line
// into an argument vector in the system's ANSI code page and calls main().
#ifdef _WIN32

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

int main(int argc, char* argv[]);

namespace
{

std::string To_Ansi(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(size) - 1);
    return ansi;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    wchar_t** wide_arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide_arguments && i < count; ++i)
        arguments.push_back(To_Ansi(wide_arguments[i]));
    if (wide_arguments)
        LocalFree(wide_arguments);

    // main() may keep pointers into argv for the whole run (QApplication does), so the
    // strings live until main returns; argv ends with a null pointer as in C.
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    return main(static_cast<int>(arguments.size()), argv.data());
}

#endif
