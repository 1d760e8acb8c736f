#include "DemoData.h"

#include "TextCodec.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// Word lists in UTF-8; converted to Big5 once, when used.
const char* const kSurnames[] = {"陳", "林", "黃", "張", "李", "王", "吳", "劉", "蔡", "楊", "許", "鄭", "謝", "郭", "洪", "曾", "邱", "廖", "賴", "周"};
const char* const kGiven[] = {"志明", "淑芬", "俊傑", "美玲", "家豪", "怡君", "建宏", "雅婷", "宗翰", "秀英", "冠宇", "佩珊", "文雄", "麗華", "承恩", "功成"};
const char* const kShopWords[] = {"大同", "永和", "三民", "中正", "福興", "長春", "興隆", "建國", "光復", "成功", "仁愛", "信義"};
const char* const kShopKinds[] = {"商行", "企業社", "百貨行", "有限公司", "實業", "超市", "雜貨店", "食品行"};
const char* const kCities[] = {"台北市", "新北市", "桃園市", "台中市", "台南市", "高雄市", "新竹市", "基隆市"};
const char* const kRoads[] = {"中山路", "中正路", "民生路", "復興路", "光明街", "和平東路", "忠孝西路", "成功路"};
const char* const kGoodsAdjectives[] = {"特級", "精選", "有機", "台灣", "原味", "古早味", "低糖", "家庭號"};
const char* const kGoods[] = {"烏龍茶", "綠茶", "米粉", "醬油", "香菇", "花生", "麵線", "鳳梨酥", "豆干", "沙茶醬", "白米", "黑糖", "冬粉", "蜂蜜", "咖啡豆", "許氏肉鬆"};
const char* const kPacks[] = {"300g", "600g", "1kg", "12入", "24入", "500ml", "1.5L", "禮盒"};
const char* const kUnits[] = {"包", "瓶", "盒", "箱", "罐", "袋"};

template <size_t N>
const char* any(const char* const (&list)[N], std::mt19937& random)
{
    return list[std::uniform_int_distribution<size_t>(0, N - 1)(random)];
}

std::string big5(const QString& text)
{
    return TextCodec::toCp950(text);
}

std::string code(const char* prefix, long long number, int digits)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*lld", prefix, digits, number);
    return buffer;
}
}

DemoData::DemoData(const DemoSizes& sizes)
    : sizes_(sizes)
    , random_(sizes.seed)
{
    customers_.reserve(sizes.customers);
    for (int i = 0; i < sizes.customers; ++i) {
        DemoCustomer c;
        c.id = code("C", i + 1, 5);
        const QString owner = QString::fromUtf8(any(kSurnames, random_)) + QString::fromUtf8(any(kGiven, random_));
        c.name = big5(QString::fromUtf8(any(kShopWords, random_)) + QString::fromUtf8(any(kShopKinds, random_)));
        if (pick(0, 9) == 0)
            c.name = big5(owner + QString::fromUtf8("商號"));
        c.contact = big5(owner);
        c.telephone = code("0", pick(2, 8), 1) + "-" + std::to_string(pick(2000, 2999)) + "-"
            + code("", pick(0, 9999), 4);
        c.address = big5(QString::fromUtf8(any(kCities, random_)) + QString::fromUtf8(any(kRoads, random_))
                         + QString::number(pick(1, 300)) + QString::fromUtf8("號"));
        customers_.push_back(std::move(c));
    }
    products_.reserve(sizes.products);
    for (int i = 0; i < sizes.products; ++i) {
        DemoProduct p;
        p.id = code("P", i + 1, 6);
        p.name = big5(QString::fromUtf8(any(kGoodsAdjectives, random_)) + QString::fromUtf8(any(kGoods, random_))
                      + " " + QString::fromUtf8(any(kPacks, random_)));
        p.unit = big5(QString::fromUtf8(any(kUnits, random_)));
        p.price = pick(15, 1200);
        products_.push_back(std::move(p));
    }
}

DemoCustomer DemoData::customer(int index)
{
    return customers_.at(static_cast<size_t>(index));
}

DemoProduct DemoData::product(int index)
{
    return products_.at(static_cast<size_t>(index));
}

QDate DemoData::firstDay() const
{
    return QDate(sizes_.year, 1, 1);
}

QDate DemoData::lastDay() const
{
    const QDate endOfYear(sizes_.year, 12, 31);
    if (!sizes_.until.isValid() || sizes_.until > endOfYear)
        return endOfYear;
    return std::max(sizes_.until, firstDay());
}

void DemoData::documents(bool returns, const std::function<void(const DemoMaster&)>& onMaster,
                         const std::function<void(const DemoLine&)>& onLine)
{
    const long long total = returns ? sizes_.returnLines : sizes_.salesLines;
    if (total <= 0 || customers_.empty() || products_.empty())
        return;
    if (returns && sold_.empty())
        return; // nothing was sold, so nothing can come back
    const QDate first = firstDay();
    const long long days = first.daysTo(lastDay()) + 1;
    const int maxLines = returns ? 3 : 8;
    long long written = 0;
    for (long long bill = 0; written < total; ++bill) {
        DemoMaster master;
        master.billId = code(returns ? "R" : "S", bill + 1, 9);
        // The date follows the lines written so far, so the last document falls on the last day
        // whatever the number of lines per document turns out to be.
        master.date = first.addDays(std::min(days - 1, written * days / total));
        const int wanted = static_cast<int>(std::min<long long>(pick(1, maxLines), total - written));
        if (!returns) {
            const int customer = pick(0, static_cast<int>(customers_.size()) - 1);
            master.custId = customers_[static_cast<size_t>(customer)].id;
            master.custName = customers_[static_cast<size_t>(customer)].name;
            onMaster(master);
            sold_.push_back({customer, master.date, soldLines_.size(), 0});
            for (int n = 1; n <= wanted; ++n, ++written) {
                const int product = pick(0, static_cast<int>(products_.size()) - 1);
                const DemoProduct& p = products_[static_cast<size_t>(product)];
                DemoLine line;
                line.billId = master.billId;
                line.lineNo = n;
                line.productId = p.id;
                // Mostly the list price; now and then a discount, so one product has several prices.
                line.unitPrice = pick(0, 4) == 0 ? std::round(p.price * 0.9) : p.price;
                line.quantity = pick(1, 24);
                soldLines_.push_back({product, line.unitPrice, line.quantity});
                ++sold_.back().lineCount;
                onLine(line);
            }
            continue;
        }
        // A return takes back part of one sales document of its day or earlier: the same
        // customer, some of its lines at their price, never more than was sold.
        const auto madeBy = std::upper_bound(sold_.begin(), sold_.end(), master.date,
                                             [](const QDate& date, const SoldDocument& d) { return date < d.date; });
        const SoldDocument& sale = sold_[static_cast<size_t>(pick(0, static_cast<int>(madeBy - sold_.begin()) - 1))];
        const DemoCustomer& c = customers_[static_cast<size_t>(sale.customer)];
        master.custId = c.id;
        master.custName = c.name;
        onMaster(master);
        const int lines = std::min(wanted, static_cast<int>(sale.lineCount));
        const int startAt = pick(0, static_cast<int>(sale.lineCount) - lines);
        for (int n = 1; n <= lines; ++n, ++written) {
            const SoldLine& sold = soldLines_[sale.firstLine + static_cast<size_t>(startAt + n - 1)];
            DemoLine line;
            line.billId = master.billId;
            line.lineNo = n;
            line.productId = products_[static_cast<size_t>(sold.product)].id;
            line.unitPrice = sold.unitPrice;
            line.quantity = pick(1, static_cast<int>(std::min(3.0, sold.quantity)));
            onLine(line);
        }
    }
}
