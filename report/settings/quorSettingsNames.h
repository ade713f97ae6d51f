// The named settings with their kinds and built-in defaults, as lists from
// which come the accessors of the settings interfaces and the table of
// built-in defaults. X(KIND, Name, default) with KIND one of BOOL, INT, TEXT.
#pragma once

// Settings of a report that an exception object may change for itself:
// getter and setter.
#define QUOR_EXCEPTION_SETTINGS(X)                                    \
  X(BOOL, AutoSave, true)                                             \
  X(BOOL, AutoSaveIfNotSent, true)                                    \
  X(BOOL, AutoSend, false)                                            \
  X(BOOL, AutoSendBox, false)                                         \
  X(BOOL, AutoClip, true)                                             \
  X(BOOL, PauseThreads, false)                                        \
  X(BOOL, PlWaitBox, true)                                            \
  X(BOOL, AutoContinue, false)                                        \
  X(INT, AutoRestart, 0)                                              \
  X(INT, AutoClose, 0)                                                \
  X(INT, AutoDelay, 60)                                               \
  X(BOOL, SendBtnVis, true)                                           \
  X(BOOL, SaveBtnVis, false)                                          \
  X(BOOL, PrintBtnVis, false)                                         \
  X(BOOL, ShowBtnVis, true)                                           \
  X(BOOL, ContinueBtnVis, true)                                       \
  X(BOOL, RestartBtnVis, true)                                        \
  X(BOOL, CloseBtnVis, true)                                          \
  X(INT, FocusedBtn, 0)                                               \
  X(TEXT, SendAssis, "")                                              \
  X(TEXT, SaveAssis, "")                                              \
  X(TEXT, PrintAssis, "")                                             \
  X(BOOL, AutoShowBugRep, false)                                      \
  X(BOOL, UglyBtns, false)                                            \
  X(TEXT, MailAddr, "")                                               \
  X(BOOL, SendInBackgr, true)                                         \
  X(BOOL, MailAsSmtpServer, false)                                    \
  X(BOOL, MailAsSmtpClient, false)                                    \
  X(BOOL, UploadViaHttp, false)                                       \
  X(BOOL, MailViaMapi, true)                                          \
  X(BOOL, MailViaMailto, true)                                        \
  X(TEXT, SmtpServer, "")                                             \
  X(INT, SmtpPort, 25)                                                \
  X(TEXT, SmtpAccount, "")                                            \
  X(TEXT, SmtpPassword, "")                                           \
  X(TEXT, HttpServer, "")                                             \
  X(INT, HttpPort, 80)                                                \
  X(TEXT, HttpAccount, "")                                            \
  X(TEXT, HttpPassword, "")                                           \
  X(BOOL, AttachBugRep, true)                                         \
  X(BOOL, AttachBugRepFile, true)                                     \
  X(BOOL, DelBugRepFile, true)                                        \
  X(TEXT, BugRepSendAs, "bugreport.txt")                              \
  X(TEXT, BugRepZip, "")                                              \
  X(INT, ScrShotDepth, 0)                                             \
  X(BOOL, ScrShotAppOnly, true)                                       \
  X(TEXT, ScrShotSendAs, "screenshot.png")                            \
  X(TEXT, ScrShotZip, "")                                             \
  X(TEXT, MailFrom, "")                                               \
  X(TEXT, BugRepFile, "bugreport.txt")                                \
  X(BOOL, AppendBugReps, true)                                        \
  X(INT, BugRepFileSize, 100000)                                      \
  X(BOOL, NoDupExcepts, true)                                         \
  X(BOOL, NoDupFreezes, true)                                         \
  X(INT, DupExceptDef, 1)                                             \
  X(INT, DupFreezeDef, 2)                                             \
  X(BOOL, ListThreads, true)                                          \
  X(BOOL, CpuRegs, true)                                              \
  X(BOOL, StackDump, true)                                            \
  X(BOOL, ShowDisAsm, true)                                           \
  X(BOOL, HideUglyItems, false)                                       \
  X(BOOL, ShowRelAddrs, true)                                         \
  X(BOOL, ShowRelLines, true)                                         \
  X(BOOL, FormatDisAsm, false)                                        \
  X(INT, LimitDisAsm, 5)                                              \
  X(TEXT, TitleBar, "%appname%")                                      \
  X(TEXT, ExceptMsg, "An error occurred in the application.")         \
  X(TEXT, FrozenMsg, "The application seems to be frozen.")           \
  X(TEXT, BitFaultMsg, "The file \"%modname%\" seems to be corrupt!") \
  X(TEXT, SendBtnTxt, "send bug report")                              \
  X(TEXT, SaveBtnTxt, "save bug report")                              \
  X(TEXT, PrintBtnTxt, "print bug report")                            \
  X(TEXT, ShowBtnTxt, "show bug report")                              \
  X(TEXT, ContinueBtnTxt, "continue bug report")                      \
  X(TEXT, RestartBtnTxt, "restart bug report")                        \
  X(TEXT, CloseBtnTxt, "close bug report")                            \
  X(TEXT, OkBtnTxt, "&OK")                                            \
  X(TEXT, DetailsBtnTxt, "&Details")                                  \
  X(TEXT, PlWaitTitle, "Information")                                 \
  X(TEXT, PlWaitText, "Please wait a moment...")                      \
  X(TEXT, MailSubj, "bug report")                                     \
  X(TEXT, MailBody, "please find the bug report attached")            \
  X(TEXT, SendBoxTitle, "Sending bug report...")                      \
  X(TEXT, PrepAttMsg, "Prepare attachments...")                       \
  X(TEXT, MxLookMsg, "Searching for mail server...")                  \
  X(TEXT, ConnMsg, "Connecting to server...")                         \
  X(TEXT, AuthMsg, "Authentication...")                               \
  X(TEXT, SendMailMsg, "Sending mail...")                             \
  X(TEXT, FieldMsg, "Setting fields...")                              \
  X(TEXT, SendAttMsg, "Sending attachments...")                       \
  X(TEXT, SendFinalMsg, "Finalizing...")                              \
  X(TEXT, SendFailMsg, "Sorry, sending the bug report didn't work.")

// Text settings read as they are and changed only through their lists
// (attachments, fields, plug-ins): getter only.
#define QUOR_LIST_SETTINGS(X) \
  X(TEXT, AddAttachs, "")     \
  X(TEXT, AddFields, "")      \
  X(TEXT, Plugins, "modules|processes|hardware")

// Module-level settings read at start-up: getter only.
#define QUOR_MODULE_SETTINGS(X) \
  X(BOOL, Enabled, false)       \
  X(BOOL, NoSettings, true)     \
  X(BOOL, CheckFileCrc, true)   \
  X(BOOL, CheckFreeze, false)   \
  X(INT, FreezeTimeout, 60)

// Filter groups F1, F2 and Gn: getter and setter.
#define QUOR_FILTER_GROUP_SETTINGS(X) \
  X(TEXT, F1Classes, "")              \
  X(BOOL, F1NoBugRep, false)          \
  X(BOOL, F1NoScrShot, false)         \
  X(BOOL, F1NoHandlers, false)        \
  X(BOOL, F1NoSuspend, false)         \
  X(INT, F1ShowCfg, 0)                \
  X(TEXT, F1Assis, "")                \
  X(TEXT, F2Classes, "")              \
  X(BOOL, F2NoBugRep, false)          \
  X(BOOL, F2NoScrShot, false)         \
  X(BOOL, F2NoHandlers, false)        \
  X(BOOL, F2NoSuspend, false)         \
  X(INT, F2ShowCfg, 0)                \
  X(TEXT, F2Assis, "")                \
  X(BOOL, GnNoBugRep, false)          \
  X(BOOL, GnNoScrShot, false)         \
  X(BOOL, GnNoHandlers, false)        \
  X(BOOL, GnNoSuspend, false)         \
  X(INT, GnShowCfg, 0)                \
  X(TEXT, GnAssis, "")
