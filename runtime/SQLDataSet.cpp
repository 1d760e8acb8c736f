#include "SQLDataSet.h"

TSQLDataSet::TSQLDataSet(TComponent* owner)
    : TCustomSQLDataSet(owner)
{
}
