#pragma once
// Small hand-off data for the preview tests: the report rows and the header record as the
// program writes them (CP950 text), and the files in a temporary directory.

#include "DataPacket.h"
#include "ReportTemplate.h"

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

struct FixtureRow {
    std::string custId;
    std::string custName; // UTF-8 here, CP950 in the packet
    std::string prodId;
    std::string prodName;
    double price;
    double qty;
};

// A QApplication for the whole test program (fonts need one).
void ensureApplication();

// The columns of "temp.cds", with AMT = price * qty.
DataPacket detailPacket(const std::vector<FixtureRow>& rows);
// The fourteen fields of "temp2.cds" and their one record.
DataPacket headerPacket(const QString& caption, const QString& period, const QString& title, const QString& remark);
// Three customers, one of them under two names, one with a return (negative quantity).
std::vector<FixtureRow> smallFixtureRows();
// `customers` customers with `perCustomer` rows each.
std::vector<FixtureRow> manyRows(int customers, int perCustomer);

// The shipped template.
QString shippedTemplatePath();

// A directory with "rpttemp.ini", "temp.cds", "temp2.cds"; the INI names the shipped
// template unless another path is given.
class HandoffDir {
public:
    HandoffDir(const DataPacket& detail, const DataPacket& header, const QString& templatePath = shippedTemplatePath());
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString iniPath() const { return path(QStringLiteral("rpttemp.ini")); }
    void writeFile(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};
