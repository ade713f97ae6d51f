// The named settings with their kinds, as lists for the accessors of the
// settings interfaces. X(KIND, Name) with KIND one of BOOL, INT, TEXT.
#pragma once

// Settings of a report that an exception object may change for itself:
// getter and setter.
#define QUOR_EXCEPTION_SETTINGS(X) \
  X(BOOL, AutoSave)                \
  X(BOOL, AutoSaveIfNotSent)       \
  X(BOOL, AutoSend)                \
  X(BOOL, AutoSendBox)             \
  X(BOOL, AutoClip)                \
  X(BOOL, PauseThreads)            \
  X(BOOL, PlWaitBox)               \
  X(BOOL, AutoContinue)            \
  X(INT, AutoRestart)              \
  X(INT, AutoClose)                \
  X(INT, AutoDelay)                \
  X(BOOL, SendBtnVis)              \
  X(BOOL, SaveBtnVis)              \
  X(BOOL, PrintBtnVis)             \
  X(BOOL, ShowBtnVis)              \
  X(BOOL, ContinueBtnVis)          \
  X(BOOL, RestartBtnVis)           \
  X(BOOL, CloseBtnVis)             \
  X(INT, FocusedBtn)               \
  X(TEXT, SendAssis)               \
  X(TEXT, SaveAssis)               \
  X(TEXT, PrintAssis)              \
  X(BOOL, AutoShowBugRep)          \
  X(BOOL, UglyBtns)                \
  X(TEXT, MailAddr)                \
  X(BOOL, SendInBackgr)            \
  X(BOOL, MailAsSmtpServer)        \
  X(BOOL, MailAsSmtpClient)        \
  X(BOOL, UploadViaHttp)           \
  X(BOOL, MailViaMapi)             \
  X(BOOL, MailViaMailto)           \
  X(TEXT, SmtpServer)              \
  X(INT, SmtpPort)                 \
  X(TEXT, SmtpAccount)             \
  X(TEXT, SmtpPassword)            \
  X(TEXT, HttpServer)              \
  X(INT, HttpPort)                 \
  X(TEXT, HttpAccount)             \
  X(TEXT, HttpPassword)            \
  X(BOOL, AttachBugRep)            \
  X(BOOL, AttachBugRepFile)        \
  X(BOOL, DelBugRepFile)           \
  X(TEXT, BugRepSendAs)            \
  X(TEXT, BugRepZip)               \
  X(INT, ScrShotDepth)             \
  X(BOOL, ScrShotAppOnly)          \
  X(TEXT, ScrShotSendAs)           \
  X(TEXT, ScrShotZip)              \
  X(TEXT, MailFrom)                \
  X(TEXT, BugRepFile)              \
  X(BOOL, AppendBugReps)           \
  X(INT, BugRepFileSize)           \
  X(BOOL, NoDupExcepts)            \
  X(BOOL, NoDupFreezes)            \
  X(INT, DupExceptDef)             \
  X(INT, DupFreezeDef)             \
  X(BOOL, ListThreads)             \
  X(BOOL, CpuRegs)                 \
  X(BOOL, StackDump)               \
  X(BOOL, ShowDisAsm)              \
  X(BOOL, HideUglyItems)           \
  X(BOOL, ShowRelAddrs)            \
  X(BOOL, ShowRelLines)            \
  X(BOOL, FormatDisAsm)            \
  X(INT, LimitDisAsm)              \
  X(TEXT, TitleBar)                \
  X(TEXT, ExceptMsg)               \
  X(TEXT, FrozenMsg)               \
  X(TEXT, BitFaultMsg)             \
  X(TEXT, SendBtnTxt)              \
  X(TEXT, SaveBtnTxt)              \
  X(TEXT, PrintBtnTxt)             \
  X(TEXT, ShowBtnTxt)              \
  X(TEXT, ContinueBtnTxt)          \
  X(TEXT, RestartBtnTxt)           \
  X(TEXT, CloseBtnTxt)             \
  X(TEXT, OkBtnTxt)                \
  X(TEXT, DetailsBtnTxt)           \
  X(TEXT, PlWaitTitle)             \
  X(TEXT, PlWaitText)              \
  X(TEXT, MailSubj)                \
  X(TEXT, MailBody)                \
  X(TEXT, SendBoxTitle)            \
  X(TEXT, PrepAttMsg)              \
  X(TEXT, MxLookMsg)               \
  X(TEXT, ConnMsg)                 \
  X(TEXT, AuthMsg)                 \
  X(TEXT, SendMailMsg)             \
  X(TEXT, FieldMsg)                \
  X(TEXT, SendAttMsg)              \
  X(TEXT, SendFinalMsg)            \
  X(TEXT, SendFailMsg)

// Text settings read as they are and changed only through their lists
// (attachments, fields, plug-ins): getter only.
#define QUOR_LIST_SETTINGS(X) \
  X(TEXT, AddAttachs)         \
  X(TEXT, AddFields)          \
  X(TEXT, Plugins)

// Module-level settings read at start-up: getter only.
#define QUOR_MODULE_SETTINGS(X) \
  X(BOOL, Enabled)              \
  X(BOOL, NoSettings)           \
  X(BOOL, CheckFileCrc)         \
  X(BOOL, CheckFreeze)          \
  X(INT, FreezeTimeout)

// Filter groups F1, F2 and Gn: getter and setter.
#define QUOR_FILTER_GROUP_SETTINGS(X) \
  X(TEXT, F1Classes)                  \
  X(BOOL, F1NoBugRep)                 \
  X(BOOL, F1NoScrShot)                \
  X(BOOL, F1NoHandlers)               \
  X(BOOL, F1NoSuspend)                \
  X(INT, F1ShowCfg)                   \
  X(TEXT, F1Assis)                    \
  X(TEXT, F2Classes)                  \
  X(BOOL, F2NoBugRep)                 \
  X(BOOL, F2NoScrShot)                \
  X(BOOL, F2NoHandlers)               \
  X(BOOL, F2NoSuspend)                \
  X(INT, F2ShowCfg)                   \
  X(TEXT, F2Assis)                    \
  X(BOOL, GnNoBugRep)                 \
  X(BOOL, GnNoScrShot)                \
  X(BOOL, GnNoHandlers)               \
  X(BOOL, GnNoSuspend)                \
  X(INT, GnShowCfg)                   \
  X(TEXT, GnAssis)
