#include "server/command_client.h"

#include "codec/class_registry.h"
#include "records/record_list.h"
#include "records/register_records.h"

CCommandClient::CCommandClient()
{
    RegisterRecordClasses(CClassRegistry::Global());
}

bool CCommandClient::LogIn(int port, const std::string& userId, const std::string& password)
{
    return ::LogIn(m_session, "127.0.0.1", port, userId, password).LoggedIn();
}

bool CCommandClient::Ids(const std::vector<std::string>& caseNumbers)
{
    CStringList ids(caseNumbers);
    return m_session.SendObject(ids);
}

int CCommandClient::Status()
{
    int32_t value = 0;
    return m_session.ReceiveInt(value, 30) > 0 ? value : kExchangeBroke;
}

bool CCommandClient::GetCase(const std::string& number, CObject& record)
{
    return GetByText("GETCASE", number, record);
}

int CCommandClient::SetCase(const std::string& number, CObject& record)
{
    if (!Command("SETCASE") || !Text(number) || !Record(record))
        return kExchangeBroke;
    return Status();
}

std::string CCommandClient::CreateCase(CObject& record)
{
    std::string number;
    if (!Command("CREATECASE") || !Record(record) || !ReplyText(number))
        return "<broken>";
    return number;
}

int CCommandClient::DeleteCases(const std::vector<std::string>& numbers)
{
    if (!Command("DELETECASES") || !Ids(numbers))
        return kExchangeBroke;
    return Status();
}

bool CCommandClient::GetByText(const std::string& word, const std::string& text, CObject& reply)
{
    return Command(word) && Text(text) && Reply(reply);
}

int CCommandClient::SetWithMode(const std::string& word, const std::string& text, CObject& record, int32_t mode)
{
    if (!Command(word) || !Text(text) || !Record(record) || !Int(mode))
        return kExchangeBroke;
    return Status();
}

bool CCommandClient::InStep()
{
    CStringList cityAndState;
    return GetByText("GETCITYSTATEFROMZIP", "00000-nowhere", cityAndState) && cityAndState.items.empty();
}

#include "codec/archive.h"
#include "codec/mem_file.h"
#include "records/admin_child_user.h"

std::string RecordBytes(CObject& record)
{
    CMemFile file;
    CArchive archive(file, CArchive::store);
    record.Serialize(archive);
    archive.Flush();
    return file.ToString();
}

int AddChild(CCommandClient& client, const std::string& name, const std::string& loginId,
             const std::string& password, int32_t group, int32_t rights)
{
    CAdminChildUser child;
    child.name = name;
    child.userId = loginId;
    child.password = password;
    child.group = group;
    child.rights = rights;
    child.inventoryCap = -1;
    return client.SetWithMode("SETCHILDUSER", name, child, 0);
}
