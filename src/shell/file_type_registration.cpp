#include "shell/file_type_registration.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/file_io.h"
#include "framework/core/files.h"
#include "framework/core/exceptions.h"
#include "framework/core/programs.h"
#include "framework/core/strings.h"
#include "framework/gui/desktop_mime.h"
#include "framework/gui/png_codec.h"
#include "shell/program_icon.h"

namespace {

// The two types as the registration names them, in the order they are written.
constexpr const char* TypeKeys[] = {"TVLPattern", "TVLFont"};
constexpr const char* Extensions[] = {".tvl", ".tvf"};

std::string EscapeXML(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The program of an open command: the first argument, in quotes or up to the first blank.
std::string ProgramOfCommand(std::string_view command)
{
    if (command.starts_with('"')) {
        const std::size_t end = command.find('"', 1);
        return std::string(command.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
    }
    return std::string(command.substr(0, command.find(' ')));
}

std::unique_ptr<ITWFileTypeRegistry> DesktopRegistry()
{
    return std::make_unique<TTWDesktopFileTypes>();
}

TTWFileTypeRegistryFactory& RegistryFactory()
{
    static TTWFileTypeRegistryFactory factory;
    return factory;
}

} // namespace

std::string DesktopExecArgument(std::string_view path)
{
    // Inside the quotes of an Exec argument these four are escaped with a backslash; the
    // desktop file's own string rules then want every backslash written twice.
    std::string quoted = "\"";
    for (const char c : path) {
        // A per cent sign would start a field code.
        if (c == '%') {
            quoted += '%';
        } else if (c == '"' || c == '`' || c == '$') {
            quoted += "\\\\";
        } else if (c == '\\') {
            quoted += "\\\\\\";
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

TTWDesktopFileTypes::TTWDesktopFileTypes(std::string dataFolder, ProgramRunner runner)
    : dataFolder_(std::move(dataFolder)), runner_(std::move(runner))
{
    if (!runner_) {
        runner_ = [](const std::vector<std::string>& arguments) { fw::RunProgram(arguments); };
    }
}

std::string TTWDesktopFileTypes::UserDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
        return data;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share";
}

std::string TTWDesktopFileTypes::MimePackagePath() const
{
    return fw::IncludeTrailingPathDelimiter(dataFolder_) + "mime/packages/" + MimePackageFileName;
}

std::string TTWDesktopFileTypes::DesktopFilePath() const
{
    return fw::IncludeTrailingPathDelimiter(dataFolder_) + "applications/" + DesktopFileName;
}

std::string TTWDesktopFileTypes::IconPath(int size, std::string_view context, std::string_view name) const
{
    const std::string side = fw::IntToStr(size);
    return fw::IncludeTrailingPathDelimiter(dataFolder_) + "icons/hicolor/" + side + "x" + side + "/"
           + std::string(context) + "/" + std::string(name) + ".png";
}

std::string TTWDesktopFileTypes::MimeTypeIconName(std::string_view mimeType)
{
    std::string name(mimeType);
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

std::string TTWDesktopFileTypes::MimeTypeOf(std::string_view typeKey)
{
    if (typeKey == "TVLPattern") {
        return PatternMimeType;
    }
    if (typeKey == "TVLFont") {
        return FontMimeType;
    }
    return "application/x-" + fw::LowerCase(typeKey);
}

std::string TTWDesktopFileTypes::Value(const std::string& key) const
{
    const auto found = written_.find(key);
    return found != written_.end() ? found->second : std::string();
}

bool TTWDesktopFileTypes::HasIcon(const std::string& typeKey) const
{
    return written_.contains(typeKey + "\\DefaultIcon");
}

bool TTWDesktopFileTypes::KeyExists(const std::string& key)
{
    for (std::size_t i = 0; i < std::size(Extensions); ++i) {
        if (key == Extensions[i]) {
            return fw::FileExists(DesktopFilePath())
                   && fw::MimeTypeForFileName(std::string("x") + Extensions[i]) == MimeTypeOf(TypeKeys[i]);
        }
    }
    return written_.contains(key);
}

void TTWDesktopFileTypes::WriteKey(const std::string& key, const std::string& value)
{
    written_[key] = value;
}

std::string TTWDesktopFileTypes::MimePackageText() const
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const char* extension : Extensions) {
        const std::string typeKey = Value(extension);
        if (typeKey.empty()) {
            continue;
        }
        text += "  <mime-type type=\"" + EscapeXML(MimeTypeOf(typeKey)) + "\">\n";
        text += "    <comment>" + EscapeXML(Value(typeKey)) + "</comment>\n";
        text += "    <sub-class-of type=\"application/xml\"/>\n";
        text += "    <glob pattern=\"*" + EscapeXML(extension) + "\"/>\n";
        if (HasIcon(typeKey)) {
            text += "    <icon name=\"" + EscapeXML(MimeTypeIconName(MimeTypeOf(typeKey))) + "\"/>\n";
        }
        text += "  </mime-type>\n";
    }
    text += "</mime-info>\n";
    return text;
}

std::string TTWDesktopFileTypes::DesktopEntryText() const
{
    std::string program;
    std::string types;
    for (const char* extension : Extensions) {
        const std::string typeKey = Value(extension);
        if (typeKey.empty()) {
            continue;
        }
        types += MimeTypeOf(typeKey) + ";";
        if (program.empty()) {
            program = ProgramOfCommand(Value(typeKey + "\\Shell\\open\\command"));
        }
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tavelin\n"
           "GenericName=Tablet-Weaving Designer\n"
           "Comment=Design tablet-weaving bands\n"
           "Exec="
           + DesktopExecArgument(program)
           + " %F\n"
             "Icon="
           + ProgramIconName
           + "\n"
             "MimeType="
           + types
           + "\n"
             "Terminal=false\n"
             "Categories=Graphics;\n";
}

void TTWDesktopFileTypes::Commit()
{
    const std::string mimeFolder = fw::IncludeTrailingPathDelimiter(dataFolder_) + "mime";
    const std::string applications = fw::IncludeTrailingPathDelimiter(dataFolder_) + "applications";
    for (const std::string& folder : {mimeFolder + "/packages", applications}) {
        if (!fw::ForceDirectories(folder)) {
            throw fw::EFileError("Cannot create the folder \"" + folder + "\".");
        }
    }
    // The icons first: the desktop reads the entry and the types as they appear, and finds
    // the icons they name already there.
    WriteIcons();
    fw::WriteFileAtomically(MimePackagePath(), MimePackageText());
    fw::WriteFileAtomically(DesktopFilePath(), DesktopEntryText());

    // The desktop's caches, where their programs are installed; without them the files
    // above take effect as the desktop next reads its folders.
    runner_({"update-mime-database", mimeFolder});
    runner_({"update-desktop-database", applications});
    std::vector<std::string> defaults{"xdg-mime", "default", DesktopFileName};
    for (const char* extension : Extensions) {
        if (const std::string typeKey = Value(extension); !typeKey.empty()) {
            defaults.push_back(MimeTypeOf(typeKey));
        }
    }
    runner_(defaults);
}

void TTWDesktopFileTypes::WriteIcons() const
{
    std::vector<std::string> names{ProgramIconName};
    for (const char* extension : Extensions) {
        if (const std::string typeKey = Value(extension); !typeKey.empty() && HasIcon(typeKey)) {
            names.push_back(MimeTypeIconName(MimeTypeOf(typeKey)));
        }
    }
    for (const fw::ArgbImage& icon : ProgramIconImages()) {
        const int size = icon.Width();
        const std::string png = fw::EncodePng(icon);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string path = IconPath(size, i == 0 ? "apps" : "mimetypes", names[i]);
            const std::string folder = fw::ExtractFilePath(path);
            if (!fw::ForceDirectories(folder)) {
                throw fw::EFileError("Cannot create the folder \"" + folder + "\".");
            }
            fw::WriteFileAtomically(path, png);
        }
    }
}

void SetFileTypeRegistryFactory(TTWFileTypeRegistryFactory factory)
{
    RegistryFactory() = std::move(factory);
}

std::unique_ptr<ITWFileTypeRegistry> CreateFileTypeRegistry()
{
    const TTWFileTypeRegistryFactory& factory = RegistryFactory();
    return factory ? factory() : DesktopRegistry();
}
