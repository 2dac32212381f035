#include "report/report_classes.h"

#include "codec/class_registry.h"
#include "report/metafile_data.h"
#include "report/report_printout.h"
#include "report/report_section.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi3_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"

void RegisterReportClasses(CClassRegistry& registry)
{
    registry.Add(CReportPrintout::classInfo);
    registry.Add(CReportSection::classInfo);
    registry.Add(CRptMultiTextSection::classInfo);
    registry.Add(CRptGridSection::classInfo);
    registry.Add(CRptMulti3GridSection::classInfo);
    registry.Add(CRptDoubleGridSection::classInfo);
    registry.Add(CRptMetafileSection::classInfo);
    registry.Add(CMetafileData::classInfo);
    registry.Add(CStaticGrid::classInfo);
}
