#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "database/db_generic_info.h"
#include "database/db_session_pool.h"
#include "database_test_support.h"
#include "framework/db/db_session.h"

TEST(SessionPool, TwelveSessionsAtMostWithTheDefaultAndTheKeyRegistrysOwn)
{
    TDBGenericInfo info;
    TDBGSessionPool& pool = info.SessionPool();
    EXPECT_EQ(pool.Count(), 2);
    EXPECT_TRUE(pool.Items(0)->WrapsDefault());
    EXPECT_TRUE(pool.Items(0)->Reserved());
    EXPECT_FALSE(pool.Items(0)->Free());
    EXPECT_EQ(info.RecordKey().Session(), pool.Items(1));
    EXPECT_EQ(info.RecordKeyAlt().Session(), pool.Items(1));
    EXPECT_TRUE(pool.Items(1)->Reserved());

    std::set<std::string> names;
    for (int i = 0; i < 10; ++i) {
        TDBGSessionRef* session = pool.RequestSession();
        EXPECT_FALSE(session->Free());
        EXPECT_FALSE(session->Reserved());
        EXPECT_TRUE(session->SessionName().starts_with("DBGSession_"));
        names.insert(session->SessionName());
    }
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(pool.Count(), 12);
    try {
        pool.RequestSession();
        FAIL() << "a thirteenth session";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message, "Unable to provide session for database access.\r\nThe maximum number "
                                             "of sessions (10) has been reached already.");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "RequestSession");
    }
    EXPECT_EQ(pool.Count(), 12);

    // A reference handed back as free is handed out again before a new one is made.
    pool.Items(5)->SetFree(true);
    EXPECT_EQ(pool.RequestSession(), pool.Items(5));
}

TEST(SessionPool, AssigningCopiesTheFourSettings)
{
    TDBGenericInfo first;
    TDBGenericInfo second;
    first.SessionPool().SetMaxSessions(3);
    first.SessionPool().SetPrivateDirRoot("/tmp/x");
    first.SessionPool().SetPrivateDirPrefix("_P");
    first.SessionPool().SetDirRequired(true);
    second.SessionPool().Assign(&first.SessionPool());
    EXPECT_EQ(second.SessionPool().MaxSessions(), 3);
    EXPECT_EQ(second.SessionPool().PrivateDirRoot(), "/tmp/x");
    EXPECT_EQ(second.SessionPool().PrivateDirPrefix(), "_P");
    EXPECT_TRUE(second.SessionPool().DirRequired());
    EXPECT_EQ(second.SessionPool().Count(), 2);

    TDBGenericInfo loaded;
    loaded.Loaded();
    EXPECT_EQ(loaded.SessionPool().PrivateDirRoot(), std::filesystem::temp_directory_path().string());
}

TEST(SessionPool, ConnectionsThatCannotOpenSayWhichSession)
{
    TDBGenericInfo info;
    const FirstRecord none = FailureOf([&] { info.DefaultSession().GetDatabase(); });
    EXPECT_EQ(none.Message, "Unable to locate database <> in session <Default>.");

    info.SetDBAlias("no_such_alias");
    info.SetDBLoginID("alice");
    info.SetDBPassword("secret");
    TDBGSessionRef& keys = *info.RecordKey().Session();
    try {
        keys.GetDatabase();
        FAIL() << "opened";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.GetInfo(0)->Message,
                  "Unable to open database for session <" + keys.SessionName() + ">.\r\nDB Name = no_such_alias");
        EXPECT_EQ(error.GetInfo(0)->MethodName, "_getDatabase");
        ASSERT_EQ(error.InfoCount(), 2);
        EXPECT_EQ(error.GetInfo(1)->Message, "The database alias <no_such_alias> is not known.");
    }
    // The login went into the connection's parameters on the way.
    EXPECT_EQ(keys.Database()->Params().Text(), "USER NAME=alice\r\nPASSWORD=secret\r\n");
    EXPECT_TRUE(keys.Session()->Active());
}

TEST(SessionPool, ChangingTheAliasRenamesItInThePoolsOwnConnections)
{
    TDBGenericInfo info;
    fw::db::Connection host;
    host.SetAliasName("FIRST");
    info.SetDatabase(&host);
    info.SetDBAlias("first");
    TDBGSessionRef* session = info.SessionPool().RequestSession();
    EXPECT_EQ(session->Database()->AliasName(), "first");
    EXPECT_EQ(session->Database()->DatabaseName(), "first");
    info.SetDBAlias("second");
    EXPECT_EQ(session->Database()->AliasName(), "second");
    EXPECT_EQ(info.RecordKey().Session()->Database()->AliasName(), "second");
    EXPECT_EQ(host.AliasName(), "second");
    info.SetDatabase(nullptr);
}

TEST(SessionPool, PrivateFoldersAreMadeWhenTheSessionStartsAndGoWithIt)
{
    const std::filesystem::path root = UniqueScratchFolder("tavelin_sessions");
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    std::string folder;
    {
        TDBGenericInfo info;
        info.SessionPool().SetPrivateDirRoot(root.string());
        info.SessionPool().SetDirRequired(true);
        TDBGSessionRef* session = info.SessionPool().RequestSession();
        EXPECT_EQ(session->Session()->PrivateDir(), ".");
        session->Session()->SetActive(true);
        folder = session->Session()->PrivateDir();
        EXPECT_TRUE(std::filesystem::path(folder).parent_path().filename().string().starts_with("_DBGSession"));
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        // The default session never gets one.
        EXPECT_EQ(fw::db::Session::Default().PrivateDir(), "");
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
    std::filesystem::remove_all(root);
}

class SessionPoolOnEngine : public EngineTest {};

TEST_P(SessionPoolOnEngine, TheDefaultSessionAndItsConnectionOutliveTheComponent)
{
    fw::db::Connection host;
    host.SetAliasName(Db().Alias());
    fw::db::Connection* keyConnection = nullptr;
    {
        TDBGenericInfo info;
        info.SetDatabase(&host);
        info.SetDBAlias(Db().Alias());
        EXPECT_EQ(info.DefaultSession().GetDatabase(), &host);
        EXPECT_TRUE(host.Connected());
        EXPECT_EQ(host.DatabaseName(), Db().Alias());
        EXPECT_EQ(info.LocalDBName(), Db().Alias());
        keyConnection = info.RecordKey().Session()->GetDatabase();
        EXPECT_TRUE(keyConnection->Connected());
        EXPECT_NE(keyConnection, &host);
    }
    EXPECT_TRUE(host.Connected());
    EXPECT_EQ(fw::db::Session::Default().FindDatabase(Db().Alias()), &host);
    EXPECT_EQ(fw::db::Session::Default().SessionName(), "Default");
}

TAVELIN_ON_BOTH_ENGINES(SessionPoolOnEngine);
