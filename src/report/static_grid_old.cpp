#include "report/static_grid_old.h"

ORV_IMPLEMENT_SERIAL(CStaticGridOld, kRecordSchema, true)

CReportFont CStaticGridOld::GridFont(int32_t size, bool bold) const
{
    return {"Arial", static_cast<double>(size), bold, false};
}
