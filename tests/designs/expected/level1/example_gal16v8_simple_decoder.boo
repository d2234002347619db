/Y0 =  /A &  /B &  /C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y1 = A &  /B &  /C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y2 =  /A & B &  /C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y3 = A & B &  /C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y4 =  /A &  /B & C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y5 = A &  /B & C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y6 =  /A & B & C & G1 &  /G2A_N &  /G2B_N
				; 1 
/Y7 = A & B & C & G1 &  /G2A_N &  /G2B_N
				; 1 


$__SYMTAB_INFO:
Design_Name: decoder
Gal_Type: 0
Gal_Mode: 1
Clk_Pin: 1
User_ID: __LEER

Pin_Node: NC Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: A Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: C Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G1 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G2A_N Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G2B_N Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y0 Pin_or_Node: 1 Number: 12 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y1 Pin_or_Node: 1 Number: 13 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y2 Pin_or_Node: 1 Number: 14 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y3 Pin_or_Node: 1 Number: 15 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y4 Pin_or_Node: 1 Number: 16 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y5 Pin_or_Node: 1 Number: 17 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y6 Pin_or_Node: 1 Number: 18 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y7 Pin_or_Node: 1 Number: 19 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
