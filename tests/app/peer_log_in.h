#pragma once
// A scripted inventory server for the document's flows whose commands the reference
// server does not carry out yet, or whose failures it cannot be made to give: the
// log-in with its three list loads, then whatever the test adds. Helpers decode what the
// document sent.

#include "codec/mem_file.h"
#include "net/command_wire.h"
#include "records/case_query_data_row.h"
#include "records/case_query_result_col_info.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/report_view_param.h"
#include "support/fake_peer.h"

#include <string>
#include <vector>

namespace peer_log_in {

using namespace command_wire;

// The reply of a server that refuses a record: an envelope holding an empty archive.
inline std::string RefusedRecord()
{
    return Envelope([](CArchive&) {});
}

inline CCaseViewParam View(int32_t id, const std::string& name, int32_t scope, int32_t type = 0)
{
    CCaseViewParam view;
    view.viewId = id;
    view.name = name;
    view.scope = scope;
    view.viewType = type;
    return view;
}

// A table with a case number column and one shown column, one row per insured name.
inline CCaseQueryResults Table(const std::vector<std::string>& insuredNames)
{
    CCaseQueryResults results;
    for (const char* header : {"Case", "Insured Name"}) {
        auto column = std::make_shared<CCaseQueryResultColInfo>();
        column->header = header;
        column->width = 120;
        results.resultColumns.push_back(column);
    }
    int number = 1;
    for (const std::string& name : insuredNames) {
        auto row = std::make_shared<CCaseQueryDataRow>();
        row->cells = {"2024-00000" + std::to_string(number++), name};
        results.rows.push_back(row);
    }
    return results;
}

// CREATESESSION and OPENSESSION answered 0, then the three list loads with the replies
// given (a list's records, or RefusedRecord()).
inline void ScriptLogIn(CFakePeer& peer, const std::string& caseViewsReply, const std::string& reportViewsReply,
                        const std::string& inventoryInfoReply)
{
    peer.ReadLine().ReadLine().ReadLine().Write(Int(0));       // CREATESESSION, client type, version
    peer.ReadLine().ReadEnvelope().ReadEnvelope().Write(Int(0));  // OPENSESSION, user, password
    peer.ReadLine().Write(caseViewsReply);                        // GETCASEVIEWPARAMSET
    peer.ReadLine().Write(reportViewsReply);                      // GETREPORTVIEWPARAMSET
    peer.ReadLine().ReadLine().Write(inventoryInfoReply);         // GETINVENTORYINFO, show hidden
}

// The payload of the `index`-th envelope that follows the command word in what the
// client sent, decoded into `record`.
inline bool DecodeArgument(const std::string& received, const std::string& command, int occurrence, int index,
                           CObject& record)
{
    size_t at = 0;
    for (int i = 0; i <= occurrence; ++i) {
        at = received.find(command + "\r\n", i == 0 ? 0 : at + 1);
        if (at == std::string::npos)
            return false;
    }
    at += command.size() + 2;
    for (int i = 0;; ++i) {
        const size_t lineEnd = received.find("\r\n", at);
        if (lineEnd == std::string::npos)
            return false;
        const size_t length = std::stoul(received.substr(at, lineEnd - at));
        const std::string payload = received.substr(lineEnd + 2, length);
        if (i == index) {
            CServerSession decoder;
            CMemFile file(payload);
            return decoder.DecodePayload(file, record);
        }
        at = lineEnd + 2 + length;
    }
}

}  // namespace peer_log_in
