#pragma once

#include <QString>
#include <vector>

// The import of a catalogue: a workbook of products read, checked against the book and
// written, as the preview's "导入(&I)" does it.
namespace imports {

// Writes one workbook of the given number of products per run into the folder, each with
// codes of its own (the book takes a code once), and returns their file names.
std::vector<QString> productWorkbooks(const QString& folder, int workbooks, int products);

// Reads, checks and writes the workbook; returns the products written.
int importProducts(const QString& file);

// The reference: the workbook's rows, already read, inserted into a plain table by one
// prepared statement in one durable transaction.
class PlainInsert {
public:
    explicit PlainInsert(const QString& file);
    int run() const;

private:
    std::vector<std::vector<QString>> rows_;
};

} // namespace imports
