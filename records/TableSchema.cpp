#include "TableSchema.h"

namespace iksa {

namespace {

// Widths on disk: an int16 column holds "-32768"; a float column holds the
// examinee numbers and item scores with six decimals to spare.
constexpr int int16Width = 6;
constexpr int floatWidth = 19;
constexpr int floatDecimals = 6;

// Builds a column list in the order the columns are added.
class Columns {
public:
    Columns& text(const QString& name, int width = 20) {
        columns_.append({name, ColumnType::Text, width, 0});
        return *this;
    }
    Columns& int16(const QString& name) {
        columns_.append({name, ColumnType::Int16, int16Width, 0});
        return *this;
    }
    Columns& real(const QString& name) {
        columns_.append({name, ColumnType::Float, floatWidth, floatDecimals});
        return *this;
    }

    // PREFIX + first … last + SUFFIX, e.g. "S_1_" 1 … 25.
    Columns& textRange(const QString& prefix, int first, int last, int width,
                       const QString& suffix = {}) {
        for (int n = first; n <= last; ++n)
            text(prefix + QString::number(n) + suffix, width);
        return *this;
    }
    Columns& int16Range(const QString& prefix, int first, int last, const QString& suffix = {}) {
        for (int n = first; n <= last; ++n)
            int16(prefix + QString::number(n) + suffix);
        return *this;
    }
    Columns& realRange(const QString& prefix, int first, int last) {
        for (int n = first; n <= last; ++n)
            real(prefix + QString::number(n));
        return *this;
    }
    // Trial columns PREFIX<item>_<trial> for items × trials, item by item.
    Columns& int16Trials(const QString& prefix, int items, int trials) {
        for (int item = 1; item <= items; ++item)
            for (int trial = 1; trial <= trials; ++trial)
                int16(prefix + QString::number(item) + QLatin1Char('_') + QString::number(trial));
        return *this;
    }

    QVector<ColumnDef> take() { return std::move(columns_); }

private:
    QVector<ColumnDef> columns_;
};

QVector<ColumnDef> table1Columns() {
    Columns c;
    c.real("ID").text("PRIJM").text("JMENO").text("DATUM", 10).text("EXAMINAT", 30);
    c.textRange("POZ", 1, 3, 70);
    c.textRange("O_1_", 1, 25, 20).realRange("S_1_", 1, 25).real("HS_1");
    c.textRange("O_2_", 1, 33, 80).realRange("S_2_", 1, 33);
    c.real("HS_3").real("CAS_RES_3").real("POC_ST_3");
    c.int16("PAR_3").int16("VOLN_VYB_3").int16("CR_SYM_3").int16("CEL_HS_3");
    c.textRange("O_4_", 1, 19, 80).int16Range("S_4_", 1, 19).int16("HS_4");
    c.int16Range("C_5_", 1, 14).textRange("S_5_", 1, 14, 1).int16("HS_5");
    c.int16Range("C_6_", 1, 20).textRange("O_6_", 1, 20, 80);
    return c.take();
}

QVector<ColumnDef> table2Columns() {
    Columns c;
    c.int16("ID").text("PRIJM").text("JMENO").text("DATUM", 10);
    c.int16Range("S_6_", 1, 20);
    c.text("O_7_A", 1).text("O_7_B", 1).text("O_7_C", 1);
    c.textRange("O_7_", 1, 26, 1).int16Range("S_7_", 1, 26);
    c.int16Trials("S_8_P", 8, 2).int16Range("SD_8_", 1, 8);
    c.int16Trials("S_8_PP", 7, 2).int16Range("SP_8_", 1, 7);
    c.textRange("O_9_", 1, 28, 50).int16Range("S_9_", 1, 28);
    c.text("PO_10_1_2").textRange("PO_10_", 1, 11, 20);
    c.int16("CR_10_1_2").int16Range("CR_10_", 1, 11);
    c.int16("S_10_1_2").int16Range("S_10_", 1, 11);
    c.textRange("O_11_", 1, 18, 70).int16Range("S_11_", 1, 18);
    return c.take();
}

QVector<ColumnDef> table3Columns() {
    Columns c;
    c.int16("ID").text("PRIJM").text("JMENO").text("DATUM", 10).int16("VEK").text("EXAMI");
    c.text("POZNAM", 120);
    for (const char* raw :
         {"HS_1_DO", "HS_2_SL", "HS_3_CSK", "HS_4_POD", "HS_5_KOS", "HS_6_POC", "HS_7_MAT",
          "HS_8_OPA", "HS_9_INF", "HS_10_ROB", "HS_11_POR", "HS_12_HS", "HS_13_RPC", "HS_14_SO"})
        c.int16(QString::fromLatin1(raw));
    for (const char* scaled :
         {"VER_S",  "VER_PO",  "VER_POC", "VER_OPA", "VER_INF", "VER_POR", "VER_RPC", "VER_SVS",
          "PER_DO", "PER_CSK", "PER_KO",  "PER_MAT", "PER_RO",  "PER_HS",  "PER_SO",  "PER_SVS",
          "VP_S",   "VP_POD",  "VP_INF",  "VP_SVS",  "PU_DO",   "PU_KOS",  "PU_MA",   "PU_SVS",
          "PP_POC", "PP_OC",   "PP_RPC",  "PP_SVS",  "RZ_CSK",  "RZ_HS",   "RZ_SVS"})
        c.int16(QString::fromLatin1(scaled));
    for (const char* group : {"VIQ", "PIQ", "CIQ", "IVP", "IPU", "IPP", "IRZ"}) {
        const QString g = QString::fromLatin1(group);
        c.int16(g + "_SVS").int16(g + "_IQ_IS").text(g + "_PER", 6);
        c.text(g + "_IS_90", 9).text(g + "_IS_95", 9);
    }
    for (const char* diff : {"VIQ_PIQ", "IVP_IPU", "IPU_IRZ", "IVP_IRZ", "IPU_IPP", "IPP_IRZ"})
        c.int16(QString::fromLatin1(diff));
    c.text("CAS_120_3", 10).int16("POC_ST_3").int16("POC_CH_3").int16("PAR_3").int16("VOL_VYB_3");
    c.text("CAS_90_3", 10).int16("C_HS_OP_3");
    c.int16("DOP_8").int16("POZ_8").int16("RAD_DOP_8").int16("RAD_DOZ_8");
    c.int16("CAS_RE_12").int16("POC_SP_12").int16("POC_NE_12");
    c.int16Trials("SP_13_", 7, 3).int16Range("S_13_", 1, 7);
    c.int16Range("S_14_", 1, 5).int16Range("CAS_14_", 1, 5).int16Range("PS_14_", 1, 5);
    c.textRange("REZ_", 1, 5, 10);
    return c.take();
}

} // namespace

int TableSchema::columnIndex(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const TableSchema& table1Schema() {
    static const TableSchema schema{"Table1", "IKSA.DBF", table1Columns()};
    return schema;
}

const TableSchema& table2Schema() {
    static const TableSchema schema{"Table2", "IKSA_II.DBF", table2Columns()};
    return schema;
}

const TableSchema& table3Schema() {
    static const TableSchema schema{"Table3", "IKSA_HS_Vyp.DBF", table3Columns()};
    return schema;
}

QList<const TableSchema*> tableSchemas() {
    return {&table1Schema(), &table2Schema(), &table3Schema()};
}

} // namespace iksa
