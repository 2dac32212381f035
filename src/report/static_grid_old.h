#pragma once
// The older twin of the static grid, kept for the case list's printout: the same fields
// in the same order with the same construction defaults, and the same band drawing. Its
// font sizes are heights in page units, as the list's page takes them, where the report
// grid's are points. It is not one of the classes a report printout may hold.

#include "report/static_grid.h"

using HeaderItemOld = HeaderItem;
using DataItemOld = DataItem;
using DataItemOlds = DataItems;

class CStaticGridOld : public CStaticGrid {
    ORV_DECLARE_SERIAL(CStaticGridOld)

protected:
    CReportFont GridFont(int32_t size, bool bold) const override;
};
