#include "dialogs/PartsTree.h"

#include "model/Utilities.h"

#include <algorithm>
#include <system_error>

namespace {

void ListInto(const std::filesystem::path& folder, int depth, std::vector<PartsTreeEntry>& out)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return;
    std::vector<PartsTreeEntry> entries;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (name.empty() || name == "." || name == "..")
            continue;
        std::error_code statusError;
        const fs::file_status own = entry.symlink_status(statusError);
        if (statusError)
            continue;
        PartsTreeEntry item;
        item.name = QString::fromStdString(name);
        item.path = entry.path();
        if (fs::is_directory(own)) {
            if (name.front() == '.')
                continue;
            item.folder = true;
            if (depth + 1 < MaxPartsTreeDepth)
                ListInto(entry.path(), depth + 1, item.children);
            entries.push_back(std::move(item));
            continue;
        }
        // A link to a folder is left out; a link to a file counts as the
        // file it names.
        const fs::file_status target = entry.status(statusError);
        if (statusError || !fs::is_regular_file(target))
            continue;
        const int kind = GetFileTypeFromExtension(name);
        if (kind >= 1 && kind <= 3)
            entries.push_back(std::move(item));
    }
    std::sort(entries.begin(), entries.end(),
              [](const PartsTreeEntry& a, const PartsTreeEntry& b) { return a.path.filename() < b.path.filename(); });
    out = std::move(entries);
}

} // namespace

std::vector<PartsTreeEntry> ListPartsFolder(const std::filesystem::path& folder)
{
    std::vector<PartsTreeEntry> out;
    ListInto(folder, 0, out);
    return out;
}
