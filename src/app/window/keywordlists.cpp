// The built-in keyword lists, each in the order a new keyword file is written in.
#include "app/window/keywords.h"

#include <initializer_list>

namespace vellumo {

namespace {

void Fill(TStringList& list, std::initializer_list<const char*> words)
{
    TStringsUpdate guard(list);
    list.Clear();
    for (const char* w : words) list.Add(w);
}

} // namespace

void FillPerlKeywords(TStringList& list)
{
    Fill(list, {
        "accept", "alarm", "and", "atan2", "bind", "binmode", "bless", "caller", "chdir", "chmod", "chomp",
        "chop", "chown", "chr", "chroot", "close", "closedir", "cmp", "connect", "continue", "cos", "crypt",
        "dbmclose", "dbmopen", "defined", "delete", "die", "do", "dump", "each", "else", "elsif", "endgrend",
        "endhostent", "endnetent", "endprotoent", "endpwent", "endservent", "eof", "eq", "eval", "exec",
        "exists", "exit", "exp", "fcntl", "fileno", "flock", "for", "foreach", "fork", "format", "formline",
        "ge", "getc", "getgrent", "getgrgid", "getgrname", "gethostbyaddr", "gethostbyname", "gethostent",
        "getlogin", "getnetbyaddr", "getnetbyname", "getnetent", "getpeername", "getpgrp", "getppid",
        "getpriority", "getprotobyname", "getprotobynumber", "getprotoent", "getpwent", "getpwnam",
        "getpwuid", "getservbyname", "getservbyport", "getservent", "getsockname", "getsockopt", "glob",
        "gmtime", "goto", "grep", "gt", "hex", "if", "import", "index", "int", "ioctl", "join", "keys",
        "kill", "last", "lc", "lcfirst", "le", "length", "link", "listen", "local", "localtime", "log",
        "lstat", "lt", "m", "map", "mkdir", "msgctl", "msgget", "msgrcv", "msgsnd", "my", "ne", "next", "no",
        "not", "oct", "open", "opendir", "or", "ord", "pack", "package", "pipe", "pop", "pos", "print",
        "printf", "push", "q", "qq", "quotemeta", "qw", "qx", "rand", "read", "readdir", "readlink", "recv",
        "redo", "ref", "rename", "require", "reset", "return", "reverse", "rewinddir", "rindex", "rmdir", "s",
        "scalar", "seek", "seekdir", "select", "semctl", "semget", "semop", "send", "setgrent", "sethostent",
        "setnetent", "setpgrp", "setpriority", "setprotoent", "setpwent", "setservent", "setsockopt", "shift",
        "shmctl", "shmget", "shmread", "shmwrite", "shutdown", "sin", "sleep", "socket", "socketpair", "sort",
        "splice", "split", "sprintf", "sqrt", "srand", "stat", "study", "sub", "substr", "symlink", "syscall",
        "sysopen", "sysread", "system", "syswrite", "tell", "telldir", "tie", "tied", "time", "times", "tr",
        "truncate", "uc", "ucfirst", "umask", "undef", "unless", "unlink", "unpack", "unshift", "until",
        "use", "utime", "values", "vec", "wait", "waitpid", "wantarray", "warn", "while", "write", "x", "xor",
        "y",
    });
}

void FillPhpKeywords(TStringList& list)
{
    Fill(list, {
        "__FILE__", "__LINE__", "and", "array", "as", "break", "case", "cfunction", "class", "const",
        "continue", "declare", "default", "die", "do", "echo", "else", "elseif", "empty", "enddeclare",
        "endfor", "endforeach", "endif", "endswitch", "endwhile", "eval", "exit", "extends", "for", "foreach",
        "function", "global", "if", "include", "include_once", "isset", "list", "new", "old_function", "or",
        "print", "require", "require_once", "return", "static", "switch", "unset", "use", "var", "while",
        "xor",
    });
}

void FillCssKeywords(TStringList& list)
{
    Fill(list, {
        "azimuth", "background", "background-attachment", "background-color", "background-image",
        "background-position", "background-repeat", "border", "border-bottom", "border-bottom-color",
        "border-bottom-style", "border-bottom-width", "border-collapse", "border-color", "border-left",
        "border-left-color", "border-left-style", "border-left-width", "border-right", "border-right-color",
        "border-right-style", "border-right-width", "border-spacing", "border-style", "border-top",
        "border-top-color", "border-top-style", "border-top-width", "border-width", "bottom", "caption-side",
        "clear", "clip", "color", "content", "counter-increment", "counter-reset", "cue", "cue-after",
        "cue-before", "cursor", "direction", "display", "elevation", "empty-cells", "float", "font-family",
        "font-size", "font-size-adjust", "font-stretch", "font-style", "font-variant", "font-weight",
        "height", "ime-mode", "layout-grid", "layout-grid-char", "layout-grid-line", "layout-grid-mode",
        "layout-grid-type", "left", "letter-spacing", "line-break", "line-height", "list-style",
        "list-style-image", "list-style-position", "list-style-type", "margin", "margin-bottom",
        "margin-left", "margin-right", "margin-top", "marker-offset", "marks", "max-height", "max-width",
        "min-height", "min-width", "orphans", "outline", "outline-color", "outline-style", "outline-width",
        "overflow", "overflow-x", "overflow-y", "padding", "padding-bottom", "padding-left", "padding-right",
        "padding-top", "page", "page-break-after", "page-break-before", "page-break-inside", "pause",
        "pause-after", "pause-before", "pitch", "pitch-range", "play-during", "position", "quotes",
        "richness", "right", "ruby-align", "ruby-overhang", "ruby-position", "scrollbar-3dlight-color",
        "scrollbar-arrow-color", "scrollbar-base-color", "scrollbar-darkshadow-color", "scrollbar-face-color",
        "scrollbar-highlight-color", "scrollbar-shadow-color", "scrollbar-track-color", "size", "speak",
        "speak-header", "speak-numeral", "speak-punctuation", "speech-rate", "stress", "table-layout",
        "text-align", "text-autospace", "text-decoration", "text-indent", "text-justify",
        "text-kashida-space", "text-shadow", "text-transform", "text-underline-position", "top",
        "unicode-bidi", "vertical-align", "visibility", "voice-family", "volume", "white-space", "widows",
        "width", "word-break", "word-spacing", "z-index",
    });
}

void FillRubyKeywords(TStringList& list)
{
    Fill(list, {
        "alias", "and", "begin", "BEGIN", "break", "case", "class", "def", "defined", "do", "else", "elsif",
        "end", "END", "ensure", "false", "for", "if", "in", "module", "next", "nil", "not", "or", "redo",
        "rescue", "retry", "return", "self", "super", "then", "true", "undef", "unless", "until", "when",
        "while", "yield",
    });
}

void FillBatKeywords(TStringList& list)
{
    Fill(list, {
        "@", "BREAK", "CALL", "CD", "CHDIR", "CLS", "COPY", "DATE", "DEL", "DIR", "DO", "ECHO", "ENDLOCAL",
        "ERASE", "ERRORLEVEL", "EXIST", "EXIT", "FOR", "GOTO", "IF", "IN", "LFNFOR", "LH", "LOADHIGH", "MD",
        "MKDIR", "NOT", "OFF", "ON", "PATH", "PAUSE", "PROMPT", "RD", "REN", "RENAME", "RMDIR", "SET",
        "SETLOCAL", "SHIFT", "START", "TIME", "TYPE",
    });
}

void FillCppKeywords(TStringList& list)
{
    Fill(list, {
        "#", "WinMain", "__DATE__", "__FILE__", "__LINE__", "__STDC__", "__TIME__", "__asm", "__assume",
        "__based", "__cdecl", "__cplusplus", "__declspec", "__except", "__fastcall", "__finally", "__inline",
        "__int16", "__int32", "__int64", "__int8", "__leave", "__multiple_inheritance",
        "__single_inheritance", "__stdcall", "__try", "__uuidof", "__virtual_inheritance", "asm", "auto",
        "bad_cast", "bad_typeid", "bool", "break", "case", "catch", "cdecl", "char", "class", "const",
        "const_cast", "continue", "default", "define", "defined", "delete", "dllexport", "dllimport", "do",
        "double", "dynamic_cast", "elif", "else", "endif", "enum", "error", "except", "explicit", "extern",
        "false", "far", "finally", "float", "for", "friend", "goto", "huge", "if", "ifdef", "ifndef",
        "import", "include", "inline", "int", "interrupt", "line", "long", "main", "mutable", "naked",
        "namespace", "near", "new", "noreturn", "operator", "pascal", "pragma", "private", "protected",
        "public", "register", "reinterpret_cast", "return", "short", "signed", "sizeof", "static",
        "static_cast", "struct", "switch", "template", "this", "thread", "throw", "true", "try", "type_info",
        "typedef", "typeid", "typename", "undef", "union", "unsigned", "using", "uuid", "virtual", "void",
        "volatile", "while", "wmain", "xalloc",
    });
}

void FillJavaKeywords(TStringList& list)
{
    Fill(list, {
        "abstract", "boolean", "break", "byte", "case", "catch", "char", "class", "const", "continue",
        "default", "do", "double", "else", "extends", "final", "finally", "float", "for", "goto", "if",
        "implements", "import", "instanceof", "int", "interface", "long", "native", "new", "package",
        "private", "protected", "public", "return", "short", "static", "super", "switch", "synchronized",
        "this", "throw", "throws", "transient", "try", "void", "volatile", "while",
    });
}

void FillJsKeywords(TStringList& list)
{
    Fill(list, {
        "abstract", "boolean", "break", "byte", "case", "catch", "char", "class", "const", "continue",
        "debugger", "default", "delete", "do", "double", "else", "enum", "export", "extends", "false",
        "final", "finally", "float", "for", "function", "goto", "if", "implements", "import", "in",
        "instanceof", "int", "interface", "long", "native", "new", "null", "package", "private", "protected",
        "public", "return", "short", "static", "super", "switch", "synchronized", "this", "throw", "throws",
        "transient", "true", "try", "typeof", "var", "void", "volatile", "while", "with",
    });
}

void FillVbKeywords(TStringList& list)
{
    Fill(list, {
        "Private", "Public", "Function", "Sub", "Property", "BEGIN", "CALL", "CASE", "CONST", "DECLARE",
        "DIM", "DO", "ELSE", "ELSEIF", "END", "ERROR", "EVENT", "EXIT", "EXPLICIT", "FOR", "FUNCTION", "GOTO",
        "IF", "IS", "LOOP", "NEXT", "ON", "OPTION", "PRESERVE", "PRIVATE", "PROPERTY", "PUBLIC", "REDIM",
        "SELECT", "SUB", "THEN", "TO", "TYPE", "WITH",
    });
}

void FillHspKeywords(TStringList& list)
{
    Fill(list, {
        "#", "@", "_BREAK", "_CLROBJ", "_CLS", "_CONTINUE", "_MAKEWND", "_OBJSEL", "ABOUT", "ADDBG", "ADDBOX",
        "ADDMESH", "ADDPLATE", "ADDSPR", "ALLOC", "APLACT", "APLEDIT", "APLFOCUS", "APLGET", "APLKEY",
        "APLKEYD", "APLKEYU", "APLOBJ", "APLSEL", "APLSTR", "AWAIT", "BCOPY", "BGSCR", "BLOAD", "BMPSAVE",
        "BOXF", "BREAK", "BSAVE", "BTNIMG", "BUFFER", "BUTTON", "CAMMODE", "CASE", "CHARLOWER", "CHARUPPER",
        "CHDIR", "CHGDISP", "CHKBOX", "CLIPGET", "CLIPSET", "CLIPSETG", "CLROBJ", "CLS", "CLSBLUR",
        "CLSCOLOR", "CLSTEX", "COLOR", "COMBOX", "COMCLOSE", "COMGET", "COMGETC", "COMOPEN", "COMPUT",
        "COMPUTC", "CONSOLE", "CONSOLE_COLOR", "CONSOLE_END", "CONSOLE_POS", "CONST", "CONTINUE", "COPYBUF",
        "CSVFIND", "CSVFLAG", "CSVNOTE", "CSVOPT", "CSVRES", "CSVSEL", "CSVSTR", "DD_ACCEPT", "DD_REJECT",
        "DEFAULT", "DEFFUNC", "DEFINE", "DELETE", "DELOBJ", "DIALOG", "DIM", "DIRLIST", "DIRLIST2",
        "DIRLIST2H", "DIRLIST2R", "DLLPROC", "DO", "DRAW_ICON", "DUP", "DUPNODE", "DXFCONV", "DXFGETPOLY",
        "DXFLOAD", "ELSE", "EMATAN", "EMATH", "EMCNV", "EMCOS", "EMINT", "EMSIN", "EMSQR", "EMSTR", "END",
        "ENDIF", "EPACK", "ES_ADIR", "ES_AIM", "ES_ANG", "ES_APOS", "ES_AREA", "ES_BOXF", "ES_BUFFER",
        "ES_BYE", "ES_CAPS", "ES_CHECK", "ES_CHR", "ES_CLEAR", "ES_CLS", "ES_COPY", "ES_DRAW", "ES_FILL",
        "ES_FIND", "ES_FLAG", "ES_FMES", "ES_GET", "ES_GETBUF", "ES_GETFPS", "ES_INI", "ES_KILL", "ES_LINK",
        "ES_MES", "ES_NEW", "ES_OFFSET", "ES_OPT", "ES_PALFADE", "ES_PALSET", "ES_PAT", "ES_POS", "ES_PUT",
        "ES_RELEASE", "ES_SCREEN", "ES_SET", "ES_SIZE", "ES_SYNC", "ES_TIMER", "ES_TYPE", "ES_WINDOW",
        "ES_XFER", "ES_ZOOM", "EVMODEL", "EXEC", "EXGOTO", "EXIST", "F2I", "F2STR", "FADD", "FALPHA", "FCMP",
        "FCOS", "FDIV", "FINDOBJ", "FMUL", "FONT", "FOR", "FPBIT", "FPRT", "FROM_UNI", "FROTI", "FSIN",
        "FSQR", "FSUB", "FUNC", "FV2STR", "FVADD", "FVDIR", "FVDIV", "FVFACE", "FVINNER", "FVMAX", "FVMIN",
        "FVMUL", "FVOUTER", "FVSET", "FVSETI", "FVSUB", "FVUNIT", "FXAGET", "FXASET", "FXCOPY", "FXDIR",
        "FXINFO", "FXLINK", "FXREN", "FXSHORT", "FXTGET", "FXTSET", "GCOPY", "GET_FILEICON", "GET_ICON",
        "GETBG", "GETCOLI", "GETDEBUG", "GETKEY", "GETMCHILD", "GETMFV", "GETMODEL", "GETMPOLY",
        "GETMSIBLING", "GETMTEX", "GETMUV", "GETOBJSIZE", "GETPAL", "GETPATH", "GETPTR", "GETREG", "GETS",
        "GETSTR", "GETSYNC", "GETTEX", "GETTIME", "GETTREE", "GFCOPY", "GFDEC", "GFINC", "GFINI", "GINFO",
        "GLOBAL", "GMODE", "GOSUB", "GOTO", "GSEL", "GZOOM", "HGBYE", "HGDRAW", "HGDST", "HGGETREQ", "HGINI",
        "HGRESET", "HGSETREQ", "HGSYNC", "HSVCOLOR", "IF", "IFDEF", "IFNDEF", "IMEINIT", "IMEOPEN", "IMESEND",
        "IMESTR", "INCLUDE", "INPUT", "INSTR", "INT", "IPGET", "KEYBD_EVENT", "LINE", "LINESEL", "LISTADD",
        "LISTADDCL", "LISTBOX", "LISTDEL", "LISTDELCL", "LISTGET", "LISTHIT", "LISTICON", "LISTMAX",
        "LISTSEL", "LISTVIEW", "LL_BIN", "LL_CALL", "LL_CALLFNV", "LL_CALLFUNC", "LL_DLL", "LL_FREE",
        "LL_FUNC", "LL_GETPROC", "LL_GETPTR", "LL_LIBFREE", "LL_LIBLOAD", "LL_N", "LL_P", "LL_PEEK",
        "LL_PEEK1", "LL_PEEK2", "LL_PEEK4", "LL_POKE", "LL_POKE1", "LL_POKE2", "LL_POKE4", "LL_RET",
        "LL_RETSET", "LL_S", "LL_STR", "LL_TYPE", "LL_Z", "LOGMES", "LOGMODE", "LOOP", "LZCOPY", "LZDIST",
        "MALOAD", "MCI", "MEMCPY", "MEMFILE", "MEMSET", "MES", "MESBOX", "MKDIR", "MODELMOVEF", "MODELSHADE",
        "MODULE", "MOUSE", "MOUSE_EVENT", "MREF", "MSGDLG", "MULTIOPEN", "MXACONV", "MXCONV", "MXGETNAME",
        "MXGETPOLY", "MXLOAD", "MXSAVE", "MXSEND", "MXTEX", "NEXT", "NEXTOBJ", "NODEMAX", "NOTEADD",
        "NOTEDEL", "NOTEGET", "NOTELOAD", "NOTEMAX", "NOTESAVE", "NOTESEL", "OBJACT", "OBJADD1", "OBJADD2",
        "OBJADD3", "OBJADDF1", "OBJADDF2", "OBJADDF3", "OBJADDFV", "OBJCHECK", "OBJGETFV", "OBJGETSTR",
        "OBJGETV", "OBJGRAY", "OBJMODE", "OBJMOV1", "OBJMOV1R", "OBJMOV2", "OBJMOV2R", "OBJMOV3", "OBJMOV3R",
        "OBJMOVF1", "OBJMOVF2", "OBJMOVF3", "OBJMOVFV", "OBJMOVMODE", "OBJMOVOPT", "OBJPRM", "OBJSCAN2",
        "OBJSCANF2", "OBJSEL", "OBJSEND", "OBJSET1", "OBJSET1R", "OBJSET2", "OBJSET2R", "OBJSET3", "OBJSET3R",
        "OBJSETF1", "OBJSETF2", "OBJSETF3", "OBJSETFV", "OBJSETV", "OBJSIZE", "ON", "ONCLICK", "ONERROR",
        "ONEXIT", "ONKEY", "P_SCRWND", "P_WNDSCR", "PACK", "PACKOPT", "PALCOLOR", "PALCOPY", "PALETTE",
        "PALFADE", "PEEK", "PGET", "PICLOAD", "PIPEEXEC", "PIPEGET", "PIPEPUT", "POKE", "POS", "PRINT",
        "PROGBOX", "PROGRNG", "PROGSET", "PSET", "PUTMODEL", "PUTS", "RANDOMIZE", "REDRAW", "REGKEY",
        "REGKILL", "REGLIST", "REGOBJ", "REPEAT", "RESIZEOBJ", "RETURN", "RND", "RUN", "SCREEN", "SDIM",
        "SEL_LISTVIEW", "SEL_PROGBOX", "SEL_TRACKBOX", "SEL_TREEBOX", "SEL_UDBTN", "SELANG", "SELCAM",
        "SELCANG", "SELCINT", "SELCPOS", "SELDIR", "SELEFX", "SELFOLDER", "SELGET", "SELLANG", "SELLCOLOR",
        "SELLIGHT", "SELLPOS", "SELMOC", "SELPOS", "SELSCALE", "SENDMSG", "SETBG", "SETBORDER", "SETCOLI",
        "SETCOLOR", "SETFONT", "SETMAP", "SETMCHILD", "SETMFV", "SETMODE", "SETMPOLY", "SETMSIBLING",
        "SETMTEX", "SETMUV", "SETOBJM", "SETOBJMODE", "SETREG", "SETSIZEF", "SETTEX", "SETTIMER", "SETUV",
        "SKIPERR", "SND", "SNDLOAD", "SNDOFF", "SOCKCHECK", "SOCKCLOSE", "SOCKGET", "SOCKGETB", "SOCKGETC",
        "SOCKMAKE", "SOCKOPEN", "SOCKPUT", "SOCKPUTB", "SOCKPUTC", "SOCKWAIT", "SORTGET", "SORTNOTE",
        "SORTSTR", "SORTVAL", "SS_CHGPWD", "SS_CHKPWD", "SS_RUNNING", "STICK", "STOP", "STR", "STR2F",
        "STR2FV", "STRLEN", "STRMID", "STRTOINT", "SWBREAK", "SWEND", "SWITCH", "SYNC", "SYSEXIT", "SYSFONT",
        "SYSINFO", "TEXLOAD", "TEXLOADBG", "TEXT", "TITLE", "TO_UNI", "TOOLTIP", "TRACKBOX", "TRACKMRK",
        "TRACKPOS", "TRACKRNG", "TRACKSEL", "TREEADD", "TREEBOX", "TREEDEL", "TREEGET", "TREEHIT", "TREEICON",
        "TREEMAX", "TREESEL", "TREESORT", "UDBTN", "UDGET", "UDSET", "UNDEF", "UNTIL", "USELIB", "UVANIM",
        "VAL", "VERINFO", "WAIT", "WEND", "WHILE", "WIDTH", "WINVER", "WPEEK", "WPOKE", "XNOTEADD",
        "XNOTESEL",
    });
}

void FillDelphiKeywords(TStringList& list)
{
    Fill(list, {
        "ABSOLUTE", "ABSTRACT", "AND", "ARRAY", "AS", "ASM", "AUTOMATED", "BEGIN", "CASE", "CDECL", "CLASS",
        "CONST", "CONSTRUCTOR", "CONTAINS", "DEFAULT", "DESTRUCTOR", "DIV", "DO", "DOWNTO", "DYNAMIC", "ELSE",
        "END", "EXCEPT", "EXPORT", "EXPORTS", "EXTERNAL", "FAR", "FILE", "FINALIZATION", "FINALLY", "FOR",
        "FORWARD", "FUNCTION", "GOTO", "IF", "IMPLEMENTATION", "IMPLEMENTS", "IN", "INDEX", "INHERITED",
        "INITIALIZATION", "INLINE", "INTERFACE", "IS", "LABEL", "LIBRARY", "MESSAGE", "MOD", "NEAR", "NIL",
        "NODEFAULT", "NOT", "OBJECT", "OF", "ON", "OR", "OVERLOAD", "OVERRIDE", "PACKAGE", "PACKED", "PASCAL",
        "PRIVATE", "PROCEDURE", "PROGRAM", "PROPERTY", "PROTECTED", "PUBLIC", "PUBLISHED", "RAISE", "READ",
        "READONLY", "RECORD", "REGISTER", "REINTRODUCE", "REPEAT", "REQUIRES", "RESIDENT", "SAFECALL", "SET",
        "SHL", "SHR", "STDCALL", "STORED", "STRING", "THEN", "THREADVAR", "TO", "TRY", "TYPE", "UNIT",
        "UNTIL", "USES", "VAR", "VIRTUAL", "WHILE", "WITH", "WRITE", "WRITEONLY", "XOR",
    });
}

} // namespace vellumo
