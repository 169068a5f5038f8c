#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/.

Seeds are small, valid or nearly valid inputs that take a fuzzer straight to the depth of its
parser: whole build lines, update lists with every action, list files with whole records,
markup with every tag. Run it again after changing a format; commit what it writes.
"""

import base64
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DATA = os.path.join(ROOT, "tests", "data")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def copy_fixtures(target, folder, suffixes, prefix=b"", replace=None):
    for name in sorted(os.listdir(os.path.join(DATA, folder))):
        if not name.endswith(suffixes):
            continue
        with open(os.path.join(DATA, folder, name), "rb") as f:
            data = f.read()
        if replace:
            data = data.replace(*replace)
        write(target, name, prefix + data)


# --- Build records -------------------------------------------------------------------------

def equipment(slot, level=-1, stunt=-1, part=0, general=0, five=(0,) * 5, status=(0,) * 8,
              runes=(0, -1, -1, -1, -1, -1, -1, -1, -1), strengthened=0):
    b = struct.pack("<iiB3xiii", slot, level, strengthened, stunt, part, general)
    b += struct.pack("<5i", *five) + struct.pack("<8i", *status)
    b += struct.pack("<5i", *five) + struct.pack("<5i", *five) + struct.pack("<8i", *status)
    b += struct.pack("<9i", *runes)
    assert len(b) == 184
    return b


def text_field(text):
    raw = text.encode("gbk")[:29]
    return raw + b"\0" * (30 - len(raw))


def record(race=0, school=0, level=0, server="", area="", name="", ascended=1, extra=0,
           skills=(0,) * 8, aux=(0,) * 4, allocated=(0,) * 5, growth=0.0, carried=(100,) * 3,
           mount_five=(0,) * 5, pieces=None):
    b = struct.pack("<ii", race, school)
    b += text_field(server) + text_field(area) + text_field(name)
    b += struct.pack("<BBii", ascended, 0, level, extra)
    b += struct.pack("<8i", *skills) + struct.pack("<4i", *aux) + struct.pack("<5i", *allocated)
    b += struct.pack("<f3i5i", growth, *carried, *mount_five)
    if pieces is None:
        pieces = {}
    for slot in [-1, 1, 2, 3, 4, 5, 6]:
        b += pieces.get(slot, equipment(slot))
    assert len(b) == 1500, len(b)
    return b


RECORDS = {
    "fresh": record(),
    "level175": record(race=2, school=3, level=175, server="长安", area="一区", name="剑侠客",
                       skills=(180,) * 8, aux=(40, 40, 40, 40), allocated=(100, 50, 200, 80, 300),
                       extra=5, growth=1.25, mount_five=(10, 20, 30, 40, 50)),
    "equipped": record(race=1, school=1, level=109, pieces={
        1: equipment(1, 10, 3, 6, 2, (5, 0, 10, 0, 3), (0, 0, 300, 400, 0, 0, 0, 0),
                     (5, -1, 3, 2, 10001, 10002, 10003, 10004, 10005), 1),
        2: equipment(2, 8, 12, 2, 4, (0, 8, 0, 8, 0), (500, 0, 0, 0, 120, 0, 0, 0),
                     (3, -1, -1, -1, 10010, 9999, 10020, -1, -1)),
        6: equipment(6, 6, 0, 0, 0, (0,) * 5, (0, 0, 0, 0, 40, 30, 0, 0)),
    }),
    "hostile": record(race=-5, school=99, level=2147483647, extra=-1, skills=(-1, 999) * 4,
                      growth=float("nan"), pieces={1: equipment(7, 2147483647, 9999, -1, -1)}),
}


def build_seeds():
    for name, rec in RECORDS.items():
        line = base64.b64encode(rec)
        assert len(line) == 2000
        write("simulator_fuzz", name + ".PSF", line)
        write("simulator_fuzz", name + "_crlf.PSF", line + b"\r\n" + line[:100])
        write("build_json_fuzz", "raw_" + name, b"\x01" + rec)
    write("simulator_fuzz", "padded.PSF", base64.b64encode(RECORDS["level175"][:1499]))
    copy_fixtures("simulator_fuzz", "simulator", (".PSF",))


# --- Build JSON ----------------------------------------------------------------------------

def build_json_seeds():
    write("build_json_fuzz", "encode_small.json", '{"record": {"race": 2, "school": 3, "level": 120, '
          '"name": "剑侠客", "ascended": false}}')
    write("build_json_fuzz", "encode_mount.json", '{"record": {"mount": {"growth": 1.2, '
          '"carried": [100, 90, 80], "five": [1, 2, 3, 4, 5]}, "allocated": [1, 2, 3, 4, 5]}}')
    write("build_json_fuzz", "encode_equipment.json",
          '{"record": {"equipment": [{}, {"levelIndex": 10, "strengthened": 1, "stunt": 3, '
          '"partEffects": 6, "generalEffects": 2, "baseStatus": [0, 0, 300, 400, 0, 0, 0, 0], '
          '"runes": {"holeCount": 5, "combinationId": 3, "combinationLevelIndex": 2, '
          '"stoneIds": [10001, 10002, 10003, 10004, 10005]}}, {}, {}, {}, {}, {}]}}')
    write("build_json_fuzz", "encode_bad.json", '{"record": {"race": 4294967296, "skillLevel": '
          '[1, 2], "mount": {"growth": 1e39}, "unknown": 1}, "sheet": {}}')
    write("build_json_fuzz", "new_fields.txt", "race=2\nschool=3\nlevel=120\nname=剑侠客\n"
          "equipment[1].runes.stoneIds[0]=10001\nmount.growth=1.5\n"
          "skillLevel=[1,2,3,4,5,6,7,8]\nascended=false")
    write("build_json_fuzz", "new_odd.txt", "equipment[7].slot=1\nequipment[1]..slot=2\n"
          "mount.growth=nan\nlevel=2147483648\nserver=\"quoted\"")


# --- Updater -------------------------------------------------------------------------------

def entry_record(name, checksum, url, temp, local, size, flags, state=0, allowed=1):
    def field(text, n):
        raw = text.encode("gbk")[: n - 1]
        return raw + b"\0" * (n - len(raw))
    b = field(name, 129) + b"\0" * 131 + field(checksum, 33) + field(url, 128) + b"\0" * 132
    b += field(temp, 260) + field(local, 260) + b"\0" * 3
    b += struct.pack("<7i", 0, size, size, flags, 4, 1000, 3)
    b += field("00:00:03", 12) + field("00:00:00", 12)
    b += struct.pack("<4i", state, 2, allowed, 1)
    assert len(b) == 1144
    return b


def local_record(name, checksum, temp, size):
    def field(text, n):
        raw = text.encode("gbk")[: n - 1]
        return raw + b"\0" * (n - len(raw))
    b = field(name, 260) + field(checksum, 33) + field(temp, 263) + struct.pack("<i", size)
    assert len(b) == 560
    return b


def updater_seeds():
    server = b"http://update.example/soft"
    copy_fixtures("upvarro_update_list_fuzzer", "upvarro", (".xml",), replace=(b"@SERVER@", server))
    copy_fixtures("upvarro_list_file_fuzzer", "upvarro", (".dat",))
    local = [local_record("kalvix", "0123456789abcdef0123456789abcdef", "/opt/tool/temp/kalvix", 100),
             local_record("数据/地图.dat", "11111111111111111111111111111111",
                          "/opt/tool/temp/数据/地图.dat", 0)]
    write("upvarro_list_file_fuzzer", "local.dat", b"LST" + struct.pack("<i", 2) + b"".join(local))
    fail = [entry_record("bin/game.exe", "33333333333333333333333333333333",
                         "http://update.example/soft", "/opt/tool/temp/bin/game.exe",
                         "/opt/tool/bin/game.exe", 7, 3 | 16 | 128, 3),
            entry_record("old.dat", "", "http://update.example/soft", "/opt/tool/temp/old.dat",
                         "/opt/tool/old.dat", 0, 4, 5, 0)]
    write("upvarro_list_file_fuzzer", "fail.dat", b"FAL" + struct.pack("<i", 2) + b"".join(fail))

    # Names with a GBK trail byte 0x5C, blanks and the characters that end a path.
    names = ["数据\\表格.dat", "图片/嘰圽塡.bmp", "a b#c?d%e\"f.txt",
             "工具\\升级\\upvarro", "readme.txt"]
    for i, name in enumerate(names):
        write("upvarro_file_url_fuzzer", "name%d" % i, name.encode("gbk"))
        write("upvarro_file_url_fuzzer", "utf8_name%d" % i, name.encode("utf-8") + b"\nhttps://h:8080/x")
    trail = bytes([0x81, 0x5C]) + b"/" + bytes([0xB1, 0x5C, 0x5C])
    write("upvarro_file_url_fuzzer", "trail_5c", trail + b"\nhttp://update.example/soft")
    list_gbk = ("<system><item name=\"Title\" value=\"更新\"/></system><files><file name=\"数据\\新表.dat\" "
                "checksum=\"0123456789abcdef0123456789abcdef\" DownUrl=\"http://update.example/soft\" "
                "size=\"12\" action=\"run\"/></files>").encode("gbk")
    write("upvarro_update_list_fuzzer", "list_gbk_names.xml", list_gbk)
    list_utf8_names = ("<system NameEncoding=\"UTF-8\" PublishTime=\"1765000000\"><item name=\"Title\" "
                       "value=\"更新\"/></system><files><file name=\"说明 #1\\a&amp;b+c%?.txt\" "
                       "checksum=\"0123456789abcdef0123456789abcdef\" DownUrl=\"http://update.example/soft\" "
                       "size=\"12\"/></files>").encode("gbk")
    write("upvarro_update_list_fuzzer", "list_utf8_names.xml", list_utf8_names)

    lines = {
        "toolbox": "RUN_UPDATE@0@update.portal.example@80@/softupdate/xyq",
        "shown": "RUN_UPDATE@1@host@8080@/list\n",
        "short": "RUN_UPDATE@-3",
        "copy": "COPY_FILE@/opt/tool/update/upvarro@/opt/tool/temp/upvarro\n/opt/tool/temp/upvarro",
        "copy_at": "COPY_FILE@/opt/t@ol/update/upvarro@/opt/t@ol/temp/upvarro\n/opt/t@ol/temp/upvarro",
        "by_hand": "/opt/tool/update/upvarro --verbose",
        "restart": "DONT_RUN_UPVARRO",
        "separators": "@@RUN_UPDATE@@\n@2147483648@" + "主机名" * 12 + "@-1@@",
    }
    for name, text in lines.items():
        write("upvarro_command_line_fuzzer", name, text)


# --- Toolbox texts -------------------------------------------------------------------------

def markup_seeds():
    seeds = {
        "stunt": "<h3>特技：【破血狂攻】</h3><br><hr color=green><br>作用：攻击两次<br>SP消耗：80",
        "stone": "<table><tr><td valign=vcenter><icon idres=10001 width=48 height=48></td><td><center>"
                 "<h2>【乾坤符石】</h2><br><hr color=blue></center><br>耐力 +1.0,气血 +10.0</td></tr></table>",
        "summary": "<hr color=blue><br><i><font color=green>基础属性</font></i><br><font color=orange>"
                   "等级&nbsp;&nbsp;100<br>命中 +300</font><hr color=blue><br><font color=#FF00FF>熔炼"
                   "</font><font color=#0000ff>x</font><font color='#ffcc33'>y</font>",
        "table": "<table width=300 align=center cellspacing=3 cellPadding=2 border=1 bgColor=#99ccff>"
                 "<tbody><tr height=20 bgcolor=#ffffff class=row><td width=100 colspan=2 align=middle "
                 "bgColor=aqua class=c>a</td><td valign=vcenter>b<br>c</td></tr></tbody></table>",
        "headings": "<h2 align=vcenter>x</h2><h4 align=center>y</h4><div align=center>z</div>"
                    "<b>b</b><strong>s</strong><i>i</i><center>c</center><h1>1</h1><h5>5</h5><h6>6</h6>",
        "broken": "<font color=nosuch><table><td>stray<tr><icon idres=abc><hr color=#12345>"
                  "<font color=#GGGGGG>&nbsp<b>unclosed",
        "nested": "<b>" * 50 + "deep" + "</b>" * 50 + "<table>" * 45,
    }
    for name, text in seeds.items():
        write("tooltip_fuzz", name, text)


def catalogue_seeds():
    # First byte: which lookup; the rest its arguments (see catalogue_fuzz.cpp).
    for op in range(12):
        for args in (b"", struct.pack("<iiii", 1, 2, 3, 4), struct.pack("<iiii", 10001, 6, 0, -1),
                     bytes([1, 2, 3, 4, 5, 6])):
            write("catalogue_fuzzer", "op%02d_%s" % (op, args.hex()[:16] or "none"), bytes([op]) + args)


def guide_seeds():
    copy_fixtures("guides_fuzz", "guides", (".ini",))
    with open(os.path.join(ROOT, "resources", "guides", "xyq.ini"), "rb") as f:
        write("guides_fuzz", "sample.ini", f.read())


def quiz_seeds():
    copy_fixtures("quiz_fuzz", "quiz", (".csv",), prefix=b"\0")
    with open(os.path.join(ROOT, "resources", "quiz", "questions.csv"), "rb") as f:
        write("quiz_fuzz", "sample.csv", b"\0" + f.read())
    for i, q in enumerate(["长安城的驿站老板叫什么？", "ABC 123 普陀山", "重庆 行长 银行"]):
        write("quiz_fuzz", "pinyin%d" % i, b"\1" + q.encode())
    for i, (k, t) in enumerate([("普陀", "普陀山在哪里"), ("_安%", "长安城"), ("a%b_c", "AxxBc"),
                                ("chang c", "万里长城"), ("长c", "长城"), ("zd", "重点 重叠")]):
        write("quiz_fuzz", "keyword%d" % i, b"\2" + k.encode() + b"\n" + t.encode())


# Scripts run on a new store with the store's engine and password (odd first byte), and
# whole encrypted stores (even first byte) built by kalvix-quizdb when KALVIX_QUIZDB names it;
# without it the stores already in the corpus stay.
STORE_SCRIPTS = {
    "plain": "CREATE TABLE Conversion (Question, answer, QType, PinYin);"
             "INSERT INTO Conversion VALUES ('明月几时有', '苏轼', '科举试题', 'MYJSY');",
    "recursive_view": "CREATE VIEW Conversion AS WITH RECURSIVE c(Question, answer, QType, PinYin)"
                      " AS (SELECT 'x', 'y', '', '' UNION ALL SELECT Question || Question, answer,"
                      " QType, PinYin FROM c) SELECT * FROM c;",
    "function_view": "CREATE VIEW Conversion AS SELECT hex(zeroblob(100)) AS Question, 1 AS answer,"
                     " 2 AS QType, 3 AS PinYin;",
    "trigger": "CREATE TABLE Conversion (Question, answer, QType, PinYin);"
               "CREATE TRIGGER t AFTER INSERT ON Conversion BEGIN SELECT 1; END;",
    "odd_values": "CREATE TABLE Conversion (Question, answer, QType, PinYin);"
                  "INSERT INTO Conversion VALUES (x'41FF00', 12.5, NULL, CAST(x'E6' AS TEXT));"
                  "INSERT INTO Conversion VALUES (hex(zeroblob(40000)), '', '科举试题', 'A');",
    "wal": "PRAGMA journal_mode = WAL; CREATE TABLE Conversion (Question, answer, QType, PinYin);"
           "INSERT INTO Conversion VALUES ('a', 'b', 'c', 'd');",
    "keyed": "CREATE TABLE Conversion (id INTEGER PRIMARY KEY AUTOINCREMENT, Question TEXT UNIQUE,"
             " answer, QType, PinYin); INSERT INTO Conversion (Question) VALUES ('q');",
}


def quiz_store_seeds():
    for name, script in STORE_SCRIPTS.items():
        write("quiz_store_fuzz", "script_" + name, b"\1" + script.encode())
    quizdb = os.environ.get("KALVIX_QUIZDB")
    if not quizdb:
        return
    import subprocess
    import tempfile
    with tempfile.TemporaryDirectory() as tmp:
        lists = {"fixture": os.path.join(DATA, "quiz", "questions.csv"),
                 "sample": os.path.join(ROOT, "resources", "quiz", "questions.csv")}
        for name, csv in lists.items():
            out = os.path.join(tmp, name + ".dat")
            subprocess.run([quizdb, csv, out], check=True, stdout=subprocess.DEVNULL)
            with open(out, "rb") as f:
                write("quiz_store_fuzz", "store_" + name, b"\0" + f.read())


def page_seeds():
    # page, three clock bytes, then actions: op, control index, value bytes.
    for page in range(25):
        actions = bytes([5, 0, 5, 1, 0, 2, 2, ord("1"), ord("0"), 2, 3, 4, 10, 4, 1, 1, 0, 3, 3,
                         ord("#"), ord("2"), ord("3"), 8, 5, 3, 1, 9, 0, 1, 6, 7, 7, 0, 2,
                         ord("9"), ord("9"), 5, 9, 11, 0])
        write("page_model_fuzz", "page%02d" % page, bytes([page, 0, 1, 2]) + actions)


def ini_seeds():
    full = ("[Version]\nVersion=1.0.0000\nTitle=Marrowind V2.0\nWaterMarkPath=pic/water.bmp\n"
            "BannerPath=pic/banner.bmp\n[UpdateType]\nAutoUpdateFlag=1\nUpdateLater=0\n"
            "AutoNextStep=1\nLastUpdateDate=2011-09-28 10:51:05\nDownloadThreadNumber=8\n"
            "[Server]\nUpdateHost=update.portal.example\nUpdatePort=80\n"
            "UpdateListUrlPath=/softupdate/tallyo\nLogLevel=1\n")
    seeds = {
        "full.ini": full.encode(),
        "crlf.ini": full.replace("\n", "\r\n").encode(),
        "case_and_blanks.ini": ("; the updater's settings\n[ version ]\n  title = \"Kalvix 更新\"  \n"
                                "VERSION='2.3.0001'\n\n[server]\nupdatehost=\nupdateport=-8080\n"
                                "updatelisturlpath =  /softupdate/xyq\nloglevel=99999999999\n"
                                "[UPDATETYPE]\nlastupdatedate=2011/13/1 0:0:0\n"
                                "downloadthreadnumber=12\n").encode(),
        "duplicates.ini": (b"[Server]\nUpdateHost=first\nUpdateHost=second\n[Server]\nUpdatePort=81\n"
                           b"[Version]\nComment=kept\n[Other]\nUpdateHost=elsewhere\n"),
        "odd_lines.ini": (b"UpdateHost=before any section\n[Server\nUpdatePort=8o\n=novalue\n"
                          b"[Version]]\nTitle\nTitle==x\n[]\n;[Server]\n"
                          b"LastUpdateDate=2011-9-28 10:51:5 1\n"),
        "empty_path.ini": b"[Server]\nUpdateListUrlPath=\nUpdatePort=0\n[UpdateType]\nLastUpdateDate=\n",
        "gbk.ini": ("[Version]\nTitle=工具箱 更新\nWaterMarkPath=图片\\水印.bmp\n[Server]\n"
                    "UpdateHost=主机\n").encode("gbk"),
        # A value whose cut to its length ends inside quotes.
        "quotes_cut.ini": b"[Version]\r\nVersion=" + b"'" * 100 + b"1.0.0000\r\n",
    }
    for target in ("upvarro_ini_fuzzer", "upvarro_settings_fuzzer"):
        for name, data in seeds.items():
            write(target, name, data)
    replaced = [
        ["2.3.0001", "Kalvix", "pic/water.bmp", "pic/banner.bmp", "", "/softupdate/xyq",
         "2024-02-29 23:59:60"],
        ["1.0\r\n[Server]\r\nUpdateHost=evil", "title\nUpdatePort=1", "\"quoted\"", "  blanks  ",
         "h\x00", "/p", "2111-1-1"],
        ["x" * 80, "长".encode("gbk").decode("latin-1") * 70, "", "", "a" * 40, "/" + "b" * 300,
         "1899-12-31 24:60:60"],
    ]
    for i, values in enumerate(replaced):
        data = full.encode() + b"".join(b"\0" + v.encode("latin-1") for v in values)
        write("upvarro_settings_fuzzer", "replaced%d.bin" % i, data)


def main():
    shutil.rmtree(os.path.join(HERE, "corpus", "simulator_fuzz"), ignore_errors=True)
    build_seeds()
    build_json_seeds()
    updater_seeds()
    markup_seeds()
    catalogue_seeds()
    guide_seeds()
    quiz_seeds()
    quiz_store_seeds()
    page_seeds()
    ini_seeds()


if __name__ == "__main__":
    main()
