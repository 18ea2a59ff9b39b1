// The folder picker: a tree of the prefix's drives and shares (C:\, mapped letters,
// \\server\share) and their folders, filled as the person opens them. It shows
// Windows paths and gives one back, never a path of this machine.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "platform/toolkit/backend.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace desk {

class FolderPicker : public QDialog {
public:
    FolderPicker(const platform::toolkit::DialogRequest& request, QWidget* parent);
    // Opens the tree down to the folder and selects it; false when the picker offers
    // no such folder (it does not exist, or lies outside the root).
    bool Select(const std::string& windowsPath);
    // The selected folder: without a trailing backslash except at a drive root.
    std::optional<std::string> Chosen() const;

private:
    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const std::string& path, const QString& name);
    void Fill(QTreeWidgetItem* item);
    QTreeWidget* tree_;
};

}  // namespace desk
