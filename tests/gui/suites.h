#pragma once
// The window test suites, one factory each.

#include <QObject>
#include <memory>

namespace qx::test {

std::unique_ptr<QObject> MakeMainFormTest();
std::unique_ptr<QObject> MakeMainFormBindingTest();
std::unique_ptr<QObject> MakeDialogsTest();
std::unique_ptr<QObject> MakeDispatcherTest();
std::unique_ptr<QObject> MakeVersionBlockTest();
std::unique_ptr<QObject> MakeExecutableTest();
std::unique_ptr<QObject> MakeFeatureDialogsTest();
std::unique_ptr<QObject> MakeWindowPartsTest();
std::unique_ptr<QObject> MakeModuleCommandsTest();
std::unique_ptr<QObject> MakeBerTestFormTest();
std::unique_ptr<QObject> MakeWindowFeaturesTest();
std::unique_ptr<QObject> MakeUserWorkTest();
std::unique_ptr<QObject> MakeModuleHistoryTest();

}  // namespace qx::test
