#include "ReportFixture.h"

#include "DatasetFile.h"
#include "TextCodec.h"

#include <QApplication>
#include <QFile>

#include <stdexcept>

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "preview_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the test program
}

DataPacket detailPacket(const std::vector<FixtureRow>& rows)
{
    DataPacket packet;
    packet.fields = {{"CUST_ID", FieldType::String, 15},  {"CUST_NAME", FieldType::String, 60},
                     {"PROD_ID", FieldType::String, 15},  {"PROD_NAME", FieldType::String, 60},
                     {"U_PRICE", FieldType::Float, 0},    {"QTY", FieldType::Float, 0},
                     {"AMT", FieldType::Float, 0}};
    for (const FixtureRow& r : rows)
        packet.rows.push_back({Variant(r.custId), Variant(TextCodec::utf8ToCp950(r.custName)), Variant(r.prodId),
                               Variant(TextCodec::utf8ToCp950(r.prodName)), Variant(r.price), Variant(r.qty),
                               Variant(r.price * r.qty)});
    return packet;
}

DataPacket headerPacket(const QString& caption, const QString& period, const QString& title, const QString& remark)
{
    DataPacket packet;
    DataRow record;
    for (int i = 0; i < 14; ++i) {
        packet.fields.push_back({"Field" + std::to_string(i), FieldType::String, i == 13 ? 200 : 50});
        record.push_back(Variant::null());
    }
    record[0] = TextCodec::toCp950(caption);
    record[1] = TextCodec::toCp950(period);
    record[12] = TextCodec::toCp950(title);
    if (!remark.isNull())
        record[13] = TextCodec::toCp950(remark);
    packet.rows.push_back(record);
    return packet;
}

std::vector<FixtureRow> smallFixtureRows()
{
    return {
        {"A001", "台北商行", "P-100", "高山烏龍茶 300g", 450, 10},
        {"A001", "台北商行", "P-200", "凍頂烏龍茶 150g", 1250.5, 2},
        {"A001", "台北商行(舊名)", "P-300", "鐵觀音禮盒", 3200, 1},
        {"B002", "高雄貿易", "P-100", "高山烏龍茶 300g", 450, -3},
        {"C003", "新竹茶莊", "P-400", "東方美人茶", 1800, 1000},
    };
}

std::vector<FixtureRow> manyRows(int customers, int perCustomer)
{
    std::vector<FixtureRow> rows;
    for (int c = 0; c < customers; ++c) {
        std::string cust = QStringLiteral("C%1").arg(c, 4, 10, QLatin1Char('0')).toStdString();
        for (int p = 0; p < perCustomer; ++p)
            rows.push_back({cust, "客戶", QStringLiteral("P%1").arg(p, 5, 10, QLatin1Char('0')).toStdString(), "商品",
                            10.0 + p, 1.0 + c});
    }
    return rows;
}

QString shippedTemplatePath()
{
    return QStringLiteral(CUSTPROD_SOURCE_DIR "/rtm/cust_prod.rtm");
}

HandoffDir::HandoffDir(const DataPacket& detail, const DataPacket& header, const QString& templatePath)
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary directory");
    DatasetFile::save(QFile::encodeName(path("temp.cds")).toStdString(), detail);
    DatasetFile::save(QFile::encodeName(path("temp2.cds")).toStdString(), header);
    // As the program writes it: the directory, then names joined with "\".
    QString dir = dir_.path() + u'/';
    QString templateValue = templatePath;
    templateValue.replace(u'/', u'\\');
    QByteArray ini = QByteArray("[rpttemp]\r\npath=") + QByteArray::fromStdString(TextCodec::toCp950(templateValue)) + "\r\n" +
                     "tempfile=" + QFile::encodeName(dir) + "temp.cds\r\n" +
                     "tempfile2=" + QFile::encodeName(dir) + "temp2.cds\r\n";
    writeFile(QStringLiteral("rpttemp.ini"), ini);
}

void HandoffDir::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}
