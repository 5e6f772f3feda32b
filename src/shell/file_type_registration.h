#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The registration of the program's two file types (patterns ".tvl", fonts ".tvf"), so that
// a double click on such a file in the file manager opens the program. The registration is
// told as keys with one value each, in the order the dialog writes them:
//   ".tvl" = "TVLPattern", ".tvf" = "TVLFont",
//   "TVLPattern" = "TVL Pattern", "TVLPattern\DefaultIcon" = the program,
//   "TVLPattern\Shell\open" = "&Open", "TVLPattern\Shell\open\command" = "\"<program>\" \"%1\"",
//   and the same four for "TVLFont" ("TVL Font").
// The desktop's registry (TTWDesktopFileTypes) turns them into the freedesktop.org files of
// the user's own data folder.

class ITWFileTypeRegistry {
public:
    ITWFileTypeRegistry() = default;
    virtual ~ITWFileTypeRegistry() = default;
    ITWFileTypeRegistry(const ITWFileTypeRegistry&) = delete;
    ITWFileTypeRegistry& operator=(const ITWFileTypeRegistry&) = delete;

    // Whether the key is registered.
    virtual bool KeyExists(const std::string& key) = 0;
    // Opens the key, making it when missing, and sets its value. Failures raise.
    virtual void WriteKey(const std::string& key, const std::string& value) = 0;
    // After the writes: they take effect. Failures raise.
    virtual void Commit() = 0;
};

// A registry in memory, for tests: the writes in their order, and the keys that exist.
class TTWMemoryFileTypeRegistry final : public ITWFileTypeRegistry {
public:
    bool KeyExists(const std::string& key) override { return keys.contains(key); }
    void WriteKey(const std::string& key, const std::string& value) override
    {
        writes.emplace_back(key, value);
        keys[key] = value;
    }
    void Commit() override { ++commits; }

    std::map<std::string, std::string> keys;
    std::vector<std::pair<std::string, std::string>> writes;
    int commits = 0;
};

// The freedesktop.org way, for the user alone and without administrator rights. Commit
// writes, in the user's data folder ($XDG_DATA_HOME, or ~/.local/share):
//   mime/packages/tavelin.xml   the two MIME types (application/x-tavelin-pattern and
//                               application/x-tavelin-font, sub-classes of application/xml,
//                               with the descriptions as their comments and "*.tvl" and
//                               "*.tvf" as their names),
//   applications/tavelin.desktop  the program, opening such files (Exec "<program>" %F),
//                               with the program's icon (Icon=tavelin),
//   icons/hicolor/<n>x<n>/apps/tavelin.png  the program's icon at each of its sizes, and
//   icons/hicolor/<n>x<n>/mimetypes/<type with '-' for '/'>.png  the same icon for each type
//                               given a "\DefaultIcon" (the program's file: its icon), which
//                               the type's entry in the MIME package names,
// then lets update-mime-database, update-desktop-database and xdg-mime (the program as the
// types' default) bring the desktop's caches up to date, as far as they are installed.
// ".tvl" and ".tvf" exist when the desktop's MIME database maps a file of that extension to
// its type and the desktop file is there.
class TTWDesktopFileTypes final : public ITWFileTypeRegistry {
public:
    // Runs a helper program (its name first); the answer is not looked at.
    using ProgramRunner = std::function<void(const std::vector<std::string>& arguments)>;

    static constexpr const char* PatternMimeType = "application/x-tavelin-pattern";
    static constexpr const char* FontMimeType = "application/x-tavelin-font";
    static constexpr const char* DesktopFileName = "tavelin.desktop";
    static constexpr const char* MimePackageFileName = "tavelin.xml";

    // The user's data folder and the helper programs run for real unless others are given.
    explicit TTWDesktopFileTypes(std::string dataFolder = UserDataFolder(), ProgramRunner runner = {});

    bool KeyExists(const std::string& key) override;
    void WriteKey(const std::string& key, const std::string& value) override;
    void Commit() override;

    const std::string& DataFolder() const { return dataFolder_; }
    std::string MimePackagePath() const;
    std::string DesktopFilePath() const;
    // Where the icon of that name goes at that size: "icons/hicolor/<n>x<n>/<context>/<name>.png".
    std::string IconPath(int size, std::string_view context, std::string_view name) const;
    // The icon name of a MIME type, as the desktop looks it up: "application-x-tavelin-font".
    static std::string MimeTypeIconName(std::string_view mimeType);

    // $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
    static std::string UserDataFolder();
    // The shared MIME-info package and the desktop entry Commit writes for the keys.
    std::string MimePackageText() const;
    std::string DesktopEntryText() const;

private:
    // The MIME type a file type's key ("TVLPattern") stands for.
    static std::string MimeTypeOf(std::string_view typeKey);
    std::string Value(const std::string& key) const;
    // Whether the type of that key ("TVLPattern") was given its icon.
    bool HasIcon(const std::string& typeKey) const;
    void WriteIcons() const;

    std::string dataFolder_;
    ProgramRunner runner_;
    std::map<std::string, std::string> written_;
};

// Quotes a program path as the Exec line of a desktop entry wants an argument: in double
// quotes, with '"', '`', '$' and '\' escaped, every backslash of that doubled again as a
// desktop file's string value escapes it, and '%' doubled (it would start a field code).
std::string DesktopExecArgument(std::string_view path);

// The registry the start-up check asks and the dialog writes; tests put in their own. None
// restores the desktop's.
using TTWFileTypeRegistryFactory = std::function<std::unique_ptr<ITWFileTypeRegistry>()>;
void SetFileTypeRegistryFactory(TTWFileTypeRegistryFactory factory);
std::unique_ptr<ITWFileTypeRegistry> CreateFileTypeRegistry();
