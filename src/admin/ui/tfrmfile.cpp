#include "admin/ui/tfrmfile.h"

#include "admin/ui/formparts.h"
#include "core/ui/guardedconnect.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

TfrmFile::TfrmFile(QWidget* parent) : TForm(parent), model_(new QFileSystemModel(this)) {
    setObjectName(QStringLiteral("frmFile"));
    setWindowTitle(QStringLiteral("备份文件位置"));
    resize(420, 460);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);

    cbDrive = new QComboBox(this);
    cbDrive->setObjectName(QStringLiteral("cbDrive"));
    tvDir = new QTreeView(this);
    tvDir->setObjectName(QStringLiteral("tvDir"));
    tvDir->setModel(model_);
    tvDir->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        tvDir->hideColumn(column);

    btnSelect = new QPushButton(QStringLiteral("选择(&S)"), this);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnSelect->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto* drive = new QFormLayout;
    drive->addRow(buddyLabel(this, QStringLiteral("lblDrive"), QStringLiteral("驱动器："), cbDrive),
                  cbDrive);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSelect);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(drive);
    layout->addWidget(
        buddyLabel(this, QStringLiteral("lblDir"), QStringLiteral("文件夹(&D)："), tvDir));
    layout->addWidget(tvDir, 1);
    layout->addLayout(buttons);

    // The tree fills in the background: bring the current directory into sight once it is there.
    connectGuarded(model_, &QFileSystemModel::directoryLoaded, this,
                   [this] { tvDir->scrollTo(tvDir->currentIndex()); });
    connectGuarded(cbDrive, &QComboBox::activated, this, [this] { cbDriveChange(); });
    connectGuarded(tvDir, &QTreeView::doubleClicked, this, [this] { btnSelectClick(); });
    connectGuarded(btnSelect, &QPushButton::clicked, this, [this] { btnSelectClick(); });
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmFile::FormShow() {
    chosen_ = false;
    LoadDrives();
    const QDir start(start_);
    ShowDirectory(start.exists() ? start.absolutePath() : QDir::homePath());
}

void TfrmFile::LoadDrives() {
    cbDrive->clear();
    // Only volumes a backup can be written to, not the system's own pseudo file systems.
    static const QStringList kSystemRoots = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                             QStringLiteral("/dev"), QStringLiteral("/run")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool system = std::any_of(kSystemRoots.begin(), kSystemRoots.end(),
                                        [&](const QString& r) { return root.startsWith(r); });
        if (system || !volume.isValid() || !volume.isReady() || volume.isReadOnly())
            continue;
        const QString name = volume.displayName();
        cbDrive->addItem(name == root ? root : QStringLiteral("%1 (%2)").arg(name, root), root);
    }
}

void TfrmFile::ShowDirectory(const QString& directory) {
    const QString root = QStorageInfo(directory).rootPath();
    int drive = cbDrive->findData(root);
    if (drive < 0) {
        cbDrive->addItem(root, root);
        drive = cbDrive->count() - 1;
    }
    cbDrive->setCurrentIndex(drive);
    model_->setRootPath(root);
    tvDir->setRootIndex(model_->index(root));
    const QModelIndex current = model_->index(directory);
    tvDir->setCurrentIndex(current);
    tvDir->scrollTo(current);
    tvDir->expand(current);
}

void TfrmFile::cbDriveChange() {
    const QString root = cbDrive->currentData().toString();
    model_->setRootPath(root);
    tvDir->setRootIndex(model_->index(root));
    tvDir->setCurrentIndex(QModelIndex());
}

void TfrmFile::btnSelectClick() {
    const QModelIndex current = tvDir->currentIndex();
    directory_ = current.isValid() ? model_->filePath(current) : cbDrive->currentData().toString();
    chosen_ = true;
    close();
}
