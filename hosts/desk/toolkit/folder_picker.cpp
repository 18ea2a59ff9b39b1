#include "hosts/desk/toolkit/folder_picker.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "hosts/desk/toolkit/widget_values.h"
#include "platform/files/posix/prefix.h"
#include "platform/text/text.h"

namespace desk {

namespace fs = std::filesystem;
namespace text = platform::text;
using platform::files::Prefix;

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

// "C:" and "C:\" are the drive root "C:\"; other folders lose a trailing backslash.
std::string Normal(std::string path) {
    while (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return path;
}

std::string Child(const std::string& parent, const std::string& name) {
    return parent.back() == '\\' ? parent + name : parent + "\\" + name;
}

std::string PathOf(const QTreeWidgetItem* item) { return ToUtf8(item->data(0, kPathRole).toString()); }

// The folder lies at or under `folder`.
bool Within(const std::string& path, const std::string& folder) {
    std::string candidate = path.back() == '\\' ? path : path + "\\";
    std::string base = folder.back() == '\\' ? folder : folder + "\\";
    return text::StartsWithNoCase(candidate, base);
}

}  // namespace

FolderPicker::FolderPicker(const platform::toolkit::DialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Browse for Folder"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(ToQString(request.title), this);
    title->setWordWrap(true);
    layout->addWidget(title);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setObjectName(QStringLiteral("folders"));
    layout->addWidget(tree_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [ok](QTreeWidgetItem* current) { ok->setEnabled(current != nullptr); });
    resize(360, 420);

    if (request.root && !request.root->empty()) {
        std::string root = Normal(*request.root);
        if (auto host = Prefix::HostPath(root); host && fs::is_directory(*host))
            AddFolder(nullptr, root, ToQString(root))->setExpanded(true);
        return;
    }
    for (const auto& drive : Prefix::Drives()) {
        std::string root = Normal(drive.name);
        AddFolder(nullptr, root, ToQString(root));
    }
}

QTreeWidgetItem* FolderPicker::AddFolder(QTreeWidgetItem* parent, const std::string& path, const QString& name) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, name);
    item->setData(0, kPathRole, ToQString(path));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderPicker::Fill(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    const std::string path = PathOf(item);
    std::vector<std::string> names;
    if (auto host = Prefix::HostPath(path)) {
        std::error_code ec;
        for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_directory(ec)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return text::LCase(a) < text::LCase(b); });
    for (const std::string& name : names) AddFolder(item, Child(path, name), ToQString(name));
    if (names.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

bool FolderPicker::Select(const std::string& windowsPath) {
    const std::string wanted = Normal(windowsPath);
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < tree_->topLevelItemCount() && !found; ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(i);
        while (item && Within(wanted, PathOf(item))) {
            if (text::EqualNoCase(Normal(PathOf(item)), wanted)) {
                found = item;
                break;
            }
            item->setExpanded(true);
            Fill(item);
            QTreeWidgetItem* next = nullptr;
            for (int k = 0; k < item->childCount() && !next; ++k)
                if (Within(wanted, PathOf(item->child(k)))) next = item->child(k);
            item = next;
        }
    }
    if (!found) return false;
    tree_->setCurrentItem(found);
    return true;
}

std::optional<std::string> FolderPicker::Chosen() const {
    if (QTreeWidgetItem* item = tree_->currentItem()) return Normal(PathOf(item));
    return std::nullopt;
}

}  // namespace desk
