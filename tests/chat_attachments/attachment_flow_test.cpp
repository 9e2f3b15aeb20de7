// The picker's round trips through the background executor: opening, picking,
// the answers sync collects, and the message a finished import posts.

#include "attachments_fixture.h"

#include "app/attachment_flow.h"
#include "actions/vocabulary/vocabulary.h"
#include "app/chat_app.h"
#include "crdt/document.h"
#include "../support/scoped_env.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <thread>

using namespace chat;
using namespace chat::testing;

namespace {

struct Picker {
    Sandbox box;
    ScopedEnv env {"ORVO_CHAT_ATTACH_DIR", box.workspace.string()};
    crdt::Document doc;
    ChatApp app;

    Picker() { app.sync(doc); }

    // Collects answers until `done` holds (jobs run on the shared executor).
    template<typename Done>
    bool settle(Done done)
    {
        for (int i = 0; i < 500; ++i) {
            app.sync(doc);
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    bool listed()
    {
        return settle([&] { return !app.listing_request; });
    }
    bool imported()
    {
        return settle([&] { return !app.import_in_flight && !app.import_answers; });
    }

    std::vector<Message const*> with_attachments() const
    {
        std::vector<Message const*> out;
        for (auto const& m : app.model.messages)
            if (m.attachment && attachment_blob(*m.attachment).size() == 64) out.push_back(&m);
        return out;
    }
};

} // namespace

TEST(AttachmentFlow, PickingAPictureSharesItAsAnImageOfItsSize)
{
    Picker p;
    auto png = png_picture(48, 27);
    p.box.write("call.png", png);
    p.box.write("notes.png", "not a picture at all");

    open_picker(p.app);
    EXPECT_TRUE(p.app.attach_panel_open);
    EXPECT_EQ(p.app.attachment_notice, "Loading attachments…");
    ASSERT_TRUE(p.listed());
    EXPECT_EQ(p.app.attachment_notice, std::nullopt);
    ASSERT_EQ(p.app.picker_files.size(), 2u);

    p.app.timeline_scroll = 120;
    pick_file(p.app, p.app.picker_files[0]);
    EXPECT_EQ(p.app.attachment_notice, "Preparing attachment…");
    ASSERT_TRUE(p.imported());
    EXPECT_EQ(p.app.attachment_notice, "Attachment shared");
    EXPECT_EQ(p.app.timeline_scroll, 0);

    pick_file(p.app, p.app.picker_files[1]);
    ASSERT_TRUE(p.imported());

    auto shared = p.with_attachments();
    ASSERT_EQ(shared.size(), 2u);
    EXPECT_EQ(shared[0]->author, "u_me");
    EXPECT_EQ(shared[0]->text, "");
    EXPECT_TRUE(shared[0]->id.starts_with("m_"));
    EXPECT_EQ(*shared[0]->attachment, Attachment(ImageAttachment {"call.png", zozi::blobstore::key_of(png), 48, 27}));
    EXPECT_EQ(*shared[1]->attachment,
              Attachment(FileAttachment {"notes.png", zozi::blobstore::key_of(zozi::blobstore::Bytes(
                                                          {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r',
                                                           'e', ' ', 'a', 't', ' ', 'a', 'l', 'l'})),
                                         20}))
        << "a picture whose size cannot be read is shared as a file";
}

TEST(AttachmentFlow, ClosingThePickerBeforeTheListingAnswersCancelsIt)
{
    Picker p;
    p.box.write("a.txt", "a");
    open_picker(p.app);
    p.app.attach_panel_open = false;
    ASSERT_TRUE(p.listed());
    EXPECT_EQ(p.app.attachment_notice, "Attachment picker cancelled");
    EXPECT_TRUE(p.app.picker_files.empty());
}

TEST(AttachmentFlow, FailuresEndAsOneNoticeLine)
{
    Picker p;
    fs::remove_all(p.box.workspace);
    open_picker(p.app);
    ASSERT_TRUE(p.listed());
    EXPECT_EQ(p.app.attachment_notice, "Attachment picker failed: workspace is unavailable");

    auto before = p.doc.heads();
    pick_file(p.app, PickerFile {(p.box.workspace / "gone.png").string(), "gone.png", 10, false});
    ASSERT_TRUE(p.imported());
    EXPECT_EQ(p.app.attachment_notice, "Attachment import failed: file is unavailable");
    EXPECT_EQ(p.doc.heads(), before) << "nothing else changes";
}

TEST(AttachmentFlow, AnAnswerForAnotherRequestIsStaleAndPostsNothing)
{
    Picker p;
    auto path = p.box.write("a.txt", "a");
    pick_file(p.app, PickerFile {path.string(), "a.txt", 1, false});
    ASSERT_TRUE(p.app.import_in_flight);
    p.app.import_in_flight->request += 1;
    ASSERT_TRUE(p.settle([&] { return !p.app.import_answers; }));
    EXPECT_EQ(p.app.attachment_notice, "Attachment import discarded: stale result");
    EXPECT_TRUE(p.with_attachments().empty());
}

TEST(AttachmentFlow, PermissionIsAskedBeforeStartingAndAgainBeforePosting)
{
    Picker p;
    auto path = p.box.write("a.txt", "a");
    p.app.permissions = orvo_ui::permissions::PermissionContext::read_only();
    open_picker(p.app);
    pick_file(p.app, PickerFile {path.string(), "a.txt", 1, false});
    EXPECT_FALSE(p.app.attach_panel_open);
    EXPECT_FALSE(p.app.import_in_flight);
    EXPECT_EQ(p.app.request_counter, 0u);

    p.app.permissions = orvo_ui::permissions::PermissionContext::permissive();
    pick_file(p.app, PickerFile {path.string(), "a.txt", 1, false});
    p.app.permissions = orvo_ui::permissions::PermissionContext::read_only();
    ASSERT_TRUE(p.imported());
    EXPECT_EQ(p.app.attachment_notice, "Attachment import cancelled: permission changed");
    EXPECT_TRUE(p.with_attachments().empty());
}

TEST(AttachmentFlow, AnExhaustedCounterStartsNothing)
{
    Picker p;
    p.app.request_counter = std::numeric_limits<std::uint64_t>::max();
    open_picker(p.app);
    EXPECT_FALSE(p.app.attach_panel_open);
    EXPECT_FALSE(p.app.listing_request);
    EXPECT_EQ(p.app.attachment_notice, "Attachment picker unavailable: request counter exhausted");
    pick_file(p.app, PickerFile {"/x", "x", 1, false});
    EXPECT_FALSE(p.app.import_in_flight);
    EXPECT_EQ(p.app.attachment_notice, "Attachment import unavailable: request counter exhausted");
}

TEST(AttachmentFlow, OneImportAtATime)
{
    Picker p;
    auto path = p.box.write("a.txt", "a");
    pick_file(p.app, PickerFile {path.string(), "a.txt", 1, false});
    auto first = p.app.import_in_flight->request;
    EXPECT_FALSE(start_import(p.app, "c_general", path.string()));
    EXPECT_EQ(p.app.import_in_flight->request, first);
    EXPECT_EQ(p.app.import_in_flight->channel, "c_crit") << "the conversation open when the file was chosen";
    ASSERT_TRUE(p.imported());
}

TEST(AttachmentFlow, TheImportOperationPostsIntoItsChannelOneAtATime)
{
    Picker p;
    auto path = p.box.write("report.txt", "quarterly");
    auto op = encode_chat_operation(operation::ImportAttachment {"c_general", path.string()});
    auto effect = orvo_actions::action::OperationType::Effect;
    EXPECT_EQ(p.app.handle_operation(effect, op.kind, op.json, p.doc), OperationAnswer::handled());
    EXPECT_EQ(p.app.handle_operation(effect, op.kind, op.json, p.doc),
              OperationAnswer::fail("attachment import was not accepted"));
    ASSERT_TRUE(p.imported());
    p.app.current_channel = "c_general";
    p.app.sync(p.doc);
    auto shared = p.with_attachments();
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(attachment_name(*shared[0]->attachment), "report.txt");
}

TEST(AttachmentFlow, TheAttachmentKindFollowsWhatTheImportFound)
{
    std::string const key(64, 'a');
    struct Case {
        ImportedFile file;
        Attachment expected;
    };
    Case const cases[] = {
        {{"a.png", key, 10, "image/png", 640, 360, false}, ImageAttachment {"a.png", key, 640, 360}},
        {{"a.webm", key, 10, "video/webm", 0, 0, true}, VideoAttachment {"a.webm", key, 0, 0, 10}},
        {{"a.png", key, 10, "image/png", 640, 0, false}, FileAttachment {"a.png", key, 10}},
        {{"huge.png", key, 10, "image/png", 20000, 10, false}, FileAttachment {"huge.png", key, 10}},
        {{"bad\nname.txt", key, 3, "text/plain", 0, 0, false}, FileAttachment {"bad\xEF\xBF\xBDname.txt", key, 3}},
        {{std::string(300, 'n'), key, 3, "text/plain", 0, 0, false}, FileAttachment {std::string(255, 'n'), key, 3}},
    };
    for (auto const& test : cases) EXPECT_EQ(attachment_for(test.file), test.expected) << test.file.name;
}
