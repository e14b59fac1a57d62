#include "support/privatecluster.h"

#include <QFile>
#include <QProcess>

PrivateCluster::PrivateCluster(const QString& name)
    : folder_(QStringLiteral(VESK_PG_CLUSTER "-") + name) {
    started_ = script("start");
}

PrivateCluster::~PrivateCluster() {
    script("stop");
}

QString PrivateCluster::conninfo() const {
    QFile file(folder_ + QStringLiteral("/conninfo"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

bool PrivateCluster::script(const char* action) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("bash"),
            {QStringLiteral(VESK_PGCLUSTER_SCRIPT), QString::fromLatin1(action), folder_});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
