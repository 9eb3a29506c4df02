// The COM backend against the simulated CAD served in process through its IDispatch adapter:
// names looked up once, puts as DISPID_PROPERTYPUT, out arguments, and errors as exceptions
// with the CAD's own message.
#include <gtest/gtest.h>

#include "cadlink/Point.h"
#include "cadlink/com/ComHost.h"
#include "cadlink/com/ComObject.h"
#include "simcad/SimCad.h"
#include "simcad/com/DispatchAdapter.h"
#include "tests/support/AutomationCode.h"

namespace kav::cad::com {
namespace {

using test::CodeOf;

class ComObjectTest : public ::testing::Test {
 protected:
  TComApartment apartment;
  sim::TSimCad cad;
  std::shared_ptr<sim::com::TServerContext> context = std::make_shared<sim::com::TServerContext>();
  ObjectRef app = MakeComObject(sim::com::TDispatchAdapter::Create(cad.Application(), context));
};

TEST_F(ComObjectTest, EachNameIsLookedUpOncePerObject) {
  for (int i = 0; i < 5; ++i) (void)app->Get("HWND");
  EXPECT_EQ(context->NameLookups, 1);
  EXPECT_EQ(context->Invokes, 5);
  ObjectRef doc = app->GetObj("ActiveDocument");
  (void)doc->Get("Name");
  (void)doc->Get("Name");
  EXPECT_EQ(context->NameLookups, 3);
  EXPECT_EQ(context->Invokes, 8);
}

TEST_F(ComObjectTest, PutsOutArgumentsAndResultsCrossTheBoundary) {
  ObjectRef doc = app->GetObj("ActiveDocument");
  ObjectRef text = doc->GetObj("ModelSpace")->Call("AddText", {"部品", MakePoint(1, 2, 0), 2.5}).AsObject();
  text->Put("Alignment", Variant(10), true);
  text->Put("ScaleFactor", Variant(0.8), true);
  EXPECT_EQ(text->Get("Alignment").AsInt32(), 10);
  EXPECT_DOUBLE_EQ(text->Get("ScaleFactor").AsDouble(), 0.8);
  EXPECT_EQ(cad.CallTexts().back(), "Text.ScaleFactor");
  EXPECT_EQ(cad.State().Calls[3].Text(), "Text.Alignment :=");

  cad.QueuePick(1, 5, 6);
  std::vector<TArg> args{Out(), Out(), In("線分を指示 : ")};
  doc->GetObj("Utility")->CallWithRefs("GetEntity", args);
  EXPECT_EQ(args[0].Value.AsObject()->Get("TextString").AsString(), "部品");
  EXPECT_EQ(ToPoint(args[1].Value), (TPoint{5, 6, 0}));
}

TEST_F(ComObjectTest, CadErrorsArriveWithTheirCodeAndMessage) {
  ObjectRef utility = app->GetObj("ActiveDocument")->GetObj("Utility");
  cad.QueueCancel();
  std::string message;
  EXPECT_EQ(CodeOf([&] { utility->Call("GetPoint", {TMissing{}, "作成基点を指示 : "}); }, &message), sim::kCancelCode);
  EXPECT_EQ(message, "*Cancel*");
  EXPECT_EQ(CodeOf([&] { utility->Call("Frobnicate"); }, &message), kUnknownName);
  EXPECT_NE(message.find("Utility.Frobnicate"), std::string::npos);
  EXPECT_EQ(CodeOf([&] { app->Call("SimFailMember", {"Application.HWND", kDisconnected, "gone"}); (void)app->Get("HWND"); }),
            kDisconnected);
}

}  // namespace
}  // namespace kav::cad::com
