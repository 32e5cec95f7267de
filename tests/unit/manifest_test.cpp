// The manifests of both builds of the installer and of the checker, read back as the
// system reads them when the program starts: into an activation context.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0A00   // the activation context's queries

#include <algorithm>
#include <string>

#include "test_support.h"

namespace {

TEST(Manifest, CodePage1250DpiAwarenessRunLevelAndTheSystemsFromVistaTo11)
{
    const struct { const char *path; const wchar_t *dpiAware; ACTCTX_REQUESTED_RUN_LEVEL runLevel; } programs[] = {
        {TEST_INSTALLER, L"true", ACTCTX_RUN_LEVEL_REQUIRE_ADMIN}, {TEST_I686_INSTALLER, L"true", ACTCTX_RUN_LEVEL_REQUIRE_ADMIN},
        {TEST_BUILD_DIR "\\TALVICHK.EXE", L"", ACTCTX_RUN_LEVEL_AS_INVOKER}};
    // Vista, 7, 8, 8.1, and 10 and 11.
    const wchar_t *systems[] = {L"{e2011457-1546-43c5-a5fe-008deee3d3f0}", L"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                L"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", L"{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                L"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    for (const auto &program : programs) {
        SCOPED_TRACE(program.path);
        ACTCTXA request = {};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = program.path;
        request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context) << "no manifest, or one the system cannot read: " << GetLastError();
        auto Setting = [&](const wchar_t *space, const wchar_t *name) {
            wchar_t value[64] = L"";
            QueryActCtxSettingsW(0, context, space, name, value, 64, NULL);
            return std::wstring(value);
        };
        EXPECT_EQ(L"sk-SK", Setting(L"http://schemas.microsoft.com/SMI/2019/WindowsSettings", L"activeCodePage"));
        EXPECT_EQ(program.dpiAware, Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"));

        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
        QueryActCtxW(0, context, NULL, RunlevelInformationInActivationContext, &level, sizeof level, NULL);
        EXPECT_EQ(program.runLevel, level.RunLevel);

        // The list's elements grew with Windows versions: each system is looked for as its GUID's bytes.
        BYTE list[1024] = {};
        SIZE_T size = 0;
        QueryActCtxW(0, context, NULL, CompatibilityInformationInActivationContext, list, sizeof list, &size);
        EXPECT_EQ(5u, *(const DWORD *)list);
        for (const wchar_t *system : systems) {
            GUID id;
            CLSIDFromString(system, &id);
            const BYTE *start = list, *end = list + std::min(size, sizeof list);
            EXPECT_NE(end, std::search(start, end, (const BYTE *)&id, (const BYTE *)&id + sizeof id)) << system;
        }
        ReleaseActCtx(context);
    }
}

}  // namespace
