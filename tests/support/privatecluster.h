#pragma once

#include <QString>

// A PostgreSQL cluster of one test's own (scripts/pgcluster.sh), for what would disturb the
// tests that share the suite's cluster (a restart, the server's language); stopped when this
// goes. Its folder is fixed per build and name, so that one left behind by a killed run is
// stopped by the next.
class PrivateCluster {
public:
    explicit PrivateCluster(const QString& name);
    ~PrivateCluster();
    PrivateCluster(const PrivateCluster&) = delete;
    PrivateCluster& operator=(const PrivateCluster&) = delete;

    bool started() const { return started_; }
    // Stops it, ending every session, and starts it again.
    bool restart() { return script("restart"); }
    // The connection string of its own database, for its administrator.
    QString conninfo() const;

private:
    bool script(const char* action) const;

    QString folder_;
    bool started_ = false;
};
